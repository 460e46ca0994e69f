#include "Shell.h"

Shell::~Shell() = default;
