#pragma once

#include <string>
#include <string_view>

namespace ndlemo {

// The caption under which the address is set and refused.
inline constexpr const char* UploadPageCaption = "Adresa stránky uploadu Lemo";

// Whether the upload page address may be handed to the desktop: an http, https or file address (the scheme in
// any case) whose path, undone of its %-escapes, names a page ending in ".html" or ".htm" (any case). The address
// comes from a settings file; a plain path, or a file of another kind, would be opened or run by whatever the
// desktop has for it.
[[nodiscard]] bool IsUploadPageAddress(std::string_view address);

// Opens the upload page with the desktop's default handler for its address; whether that reuses a browser window
// is the handler's matter. Nothing for an empty address; raises ESubroutineError "Nepřípustná hodnota ..." for one
// that IsUploadPageAddress refuses. What the handler does is not checked.
void OpenUploadPage(const std::string& address);

// Starts the user's default web browser anew with the page address as its one argument of ours (the browser's
// command keeps its own arguments). Without a usable default browser, as OpenUploadPage. Nothing for an empty
// address; raises ESubroutineError for a refused one. Whether the browser starts is not checked.
void OpenUploadPageNewWindow(const std::string& address);

} // namespace ndlemo
