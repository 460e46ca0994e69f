#pragma once

#include "base/Error.h"

// The calculator's own error kinds; their texts follow the parser's Language (1 = Japanese).
class EMissMatchingBracket : public Error
{
public:
    explicit EMissMatchingBracket(int language);
};

class ESyntaxError : public Error
{
public:
    explicit ESyntaxError(int language);
};
