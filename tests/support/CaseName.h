#pragma once

#include <string>

// Names each case of a parameterised test after its `name` field, so that a failure says
// which row of the table it was.
struct CaseName
{
    template <typename Info> std::string operator()(const Info &info) const
    {
        return std::string(info.param.name);
    }
};
