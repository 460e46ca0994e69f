#include "Icons.h"

Icons::~Icons() = default;
