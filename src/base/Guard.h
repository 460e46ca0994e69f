#pragma once

#include "Error.h"
#include "Interaction.h"

#include <exception>
#include <utility>

// Runs the body of a Qt entry point: an error ends the body where it occurs, keeps what
// was done before it, and is shown in the error box. Nothing escapes into Qt.
// Answers whether the body ran to its end.
template <typename Body> bool guarded(Interaction &interaction, Body &&body)
{
    try {
        std::forward<Body>(body)();
        return true;
    } catch (const Error &e) {
        interaction.error(errorBoxText(e.message()));
    } catch (const std::exception &e) {
        interaction.error(errorBoxText(QString::fromLocal8Bit(e.what())));
    }
    return false;
}
