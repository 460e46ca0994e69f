#include "base/InstanceSocket.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The token passed on for the focus: Wayland's first, the X11 startup notification's next;
// anything that would break the request's line (a space, a control character, too long) is
// no token.
TEST(InstanceSocketTest, TheDesktopsTokenIsPassedOnOnlyWhenItFitsTheLine)
{
    const std::string longest(InstanceSocket::MaxTokenLength, 'x');
    const std::string tooLong(InstanceSocket::MaxTokenLength + 1, 'x');
    struct Case
    {
        const char *activation;
        const char *startup;
        std::string token;
    } cases[] = {
        {"wl-1", "x11_TIME42", "wl-1"},
        {nullptr, "x11_TIME42", "x11_TIME42"},
        {"", "x11_TIME42", "x11_TIME42"},
        {"two words", nullptr, ""},
        {"bell\a", "ok", "ok"},
        {"del\x7f", nullptr, ""},
        {longest.c_str(), nullptr, longest},
        {tooLong.c_str(), nullptr, ""},
        {"\xe3\x81\x82", nullptr, "\xe3\x81\x82"},
        {nullptr, nullptr, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(InstanceSocket::tokenOf(c.activation, c.startup), c.token)
            << (c.activation ? c.activation : "(none)");
}

} // namespace
