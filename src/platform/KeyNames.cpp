#include "KeyNames.h"

KeyNames::~KeyNames() = default;
