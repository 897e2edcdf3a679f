#pragma once

#include <string>
#include <vector>

// What the program asks of the user's desktop: opening an address, and starting the default web browser anew.
// Here the freedesktop.org tools answer (xdg-open, xdg-settings and the desktop entries); on Windows the shell and
// the registered "http" command would.
namespace ndlemo::platform {

// The user's default web browser as a command line: its program (a full path) and the program's own arguments,
// without the placeholders where the desktop would put pages. Empty when the desktop names no browser, or names
// one whose entry or program is not there.
[[nodiscard]] std::vector<std::string> DefaultBrowserCommand();

// Starts arguments[0] (a full path, or a name looked up in PATH) with the further arguments as they are, no shell
// between. The program runs detached: in a session of its own, with none of this program's handles, its standard
// streams on the null device, never waited for. False when it could not be started.
bool StartDetached(const std::vector<std::string>& arguments);

// Hands an address to the desktop, which opens it with the user's default handler for it. False when the desktop
// could not be asked; what the handler then does is not known here.
bool OpenWithDefaultHandler(const std::string& address);

} // namespace ndlemo::platform
