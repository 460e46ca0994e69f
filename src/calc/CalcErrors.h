#pragma once

#include "base/Error.h"

// The calculator's own error kinds; their texts follow the parser's Language (1 = Japanese).
class BracketError : public Error
{
public:
    explicit BracketError(int language);
};

class SyntaxError : public Error
{
public:
    explicit SyntaxError(int language);
};
