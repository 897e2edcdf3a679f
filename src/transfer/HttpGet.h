#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ndlemo {

// How long and how much one fetch may take. A dead server or proxy must not hold the window for ever, and the
// information file is a few kilobytes.
struct THttpLimits {
    // Until the connection to the server (or the proxy) stands.
    long ConnectTimeoutMs = 10'000;
    // One request from its start to the last byte of the answer, the connection included.
    long TransferTimeoutMs = 30'000;
    // Redirects followed before the request fails.
    long MaxRedirects = 5;
    // A larger body of a 200 answer fails the read.
    size_t MaxBodyBytes = 1024 * 1024;
};

struct THttpGetResult {
    bool Succeeded = false;
    // The body of the 200 answer; empty on failure.
    std::string Body;
    // The step that failed ("InternetOpenURL", "HttpQueryInfo Status 404"...); empty on success.
    std::string Error;
};

struct TUrlParts {
    std::string Server; // host, with ":" and the port when the address has one
    std::string Object; // from the first "/" after the host to the end
};

// The server and object parts of an address: trimmed, without the scheme and its "://"; both empty when no "/"
// follows the host.
[[nodiscard]] TUrlParts SplitUrl(std::string_view address);

// The two fetches share these rules: the answer must be 200 and its body is the result; any other status fails
// with "HttpQueryInfo Status " and the status; redirects are followed; the agent name is the executable's file
// name without extension; nothing is taken from the environment (no proxy variables); the busy cursor is shown
// while the network is used. Neither raises: a failure is the error text naming the step that failed.

// GET of the address as given (http or https), straight to the server.
[[nodiscard]] THttpGetResult HttpGetDirect(const std::string& address, const THttpLimits& limits = {});

// Plain HTTP GET of the object from the server through the proxy ("host" or "host:port"; none when empty). A
// request answered 407 is sent once more with the proxy user and password. Fails before any network call with
// "Nepřípustná hodnota "%s" pro "URL"" when the server or object part is empty.
[[nodiscard]] THttpGetResult HttpGetViaProxy(const std::string& server, const std::string& object,
                                             const std::string& proxy, const std::string& user,
                                             const std::string& password, const THttpLimits& limits = {});

} // namespace ndlemo
