#include "WindowFrame.h"

WindowFrame::~WindowFrame() = default;
