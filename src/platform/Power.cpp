#include "Power.h"

Power::~Power() = default;
