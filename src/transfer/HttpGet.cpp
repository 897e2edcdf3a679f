#include "transfer/HttpGet.h"

#include "platform/Platform.h"
#include "support/FormatText.h"
#include "support/TextRules.h"
#include "transfer/TBusyCursor.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace ndlemo {

namespace {
constexpr long StatusOk = 200;
constexpr long StatusProxyAuthenticationRequired = 407;

// What one send of the request came to.
enum class TAnswer {
    None,       // no answer arrived: the request could not be sent, or nothing came back in time
    NoStatus,   // an answer arrived whose status cannot be read
    Status,     // an answer with its status; for 200 the body is complete
    BodyFailed, // a 200 answer whose body could not be read in full
};

void InitCurlOnce() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialised;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

// The status of a status line ("HTTP/1.1 407 Proxy Authentication Required"), 0 when it has none.
long StatusOfLine(std::string_view line) {
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || line.size() < space + 4)
        return 0;
    long status = 0;
    for (size_t i = space + 1; i < space + 4; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return 0;
        status = status * 10 + (line[i] - '0');
    }
    return status;
}

// One GET on a libcurl handle. The callbacks tell which answer is the final one: libcurl follows a redirect itself
// and delivers only the last answer's body, so an answer counts once its headers are complete and it is no 1xx and
// no redirect.
class TCurlGet {
public:
    explicit TCurlGet(const THttpLimits& limits) : m_Limits(limits) {}
    ~TCurlGet() {
        if (m_Curl)
            curl_easy_cleanup(m_Curl);
    }
    TCurlGet(const TCurlGet&) = delete;
    TCurlGet& operator=(const TCurlGet&) = delete;

    // The handle with the program's options, to the proxy or (empty) to no proxy. Setting the proxy, even the empty
    // one, and the empty exception list keeps libcurl from reading http_proxy, no_proxy and the like: only the
    // settings choose a proxy.
    bool Open(const std::string& proxy) {
        InitCurlOnce();
        m_Curl = curl_easy_init();
        if (!m_Curl)
            return false;
        const std::string agent = platform::ProgramPath().stem().string();
        CURLcode rc = CURLE_OK;
        auto set = [&rc](CURLcode r) {
            if (rc == CURLE_OK)
                rc = r;
        };
        set(curl_easy_setopt(m_Curl, CURLOPT_NOSIGNAL, 1L));
        set(curl_easy_setopt(m_Curl, CURLOPT_USERAGENT, agent.c_str()));
        set(curl_easy_setopt(m_Curl, CURLOPT_PROTOCOLS_STR, "http,https"));
        set(curl_easy_setopt(m_Curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https"));
        set(curl_easy_setopt(m_Curl, CURLOPT_FOLLOWLOCATION, 1L));
        set(curl_easy_setopt(m_Curl, CURLOPT_MAXREDIRS, m_Limits.MaxRedirects));
        set(curl_easy_setopt(m_Curl, CURLOPT_CONNECTTIMEOUT_MS, m_Limits.ConnectTimeoutMs));
        set(curl_easy_setopt(m_Curl, CURLOPT_TIMEOUT_MS, m_Limits.TransferTimeoutMs));
        set(curl_easy_setopt(m_Curl, CURLOPT_PROXY, proxy.c_str()));
        set(curl_easy_setopt(m_Curl, CURLOPT_NOPROXY, ""));
        set(curl_easy_setopt(m_Curl, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP)));
        // A proxy named without a port listens on the port of HTTP.
        set(curl_easy_setopt(m_Curl, CURLOPT_PROXYPORT, 80L));
        set(curl_easy_setopt(m_Curl, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC)));
        // A tunnel's own answer must not pass for the server's.
        set(curl_easy_setopt(m_Curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L));
        set(curl_easy_setopt(m_Curl, CURLOPT_HEADERFUNCTION, &TCurlGet::OnHeader));
        set(curl_easy_setopt(m_Curl, CURLOPT_HEADERDATA, this));
        set(curl_easy_setopt(m_Curl, CURLOPT_WRITEFUNCTION, &TCurlGet::OnBody));
        set(curl_easy_setopt(m_Curl, CURLOPT_WRITEDATA, this));
        return rc == CURLE_OK;
    }

    bool SetUrl(const std::string& url) { return curl_easy_setopt(m_Curl, CURLOPT_URL, url.c_str()) == CURLE_OK; }
    bool SetProxyUser(const std::string& user) {
        return curl_easy_setopt(m_Curl, CURLOPT_PROXYUSERNAME, user.c_str()) == CURLE_OK;
    }
    bool SetProxyPassword(const std::string& password) {
        return curl_easy_setopt(m_Curl, CURLOPT_PROXYPASSWORD, password.c_str()) == CURLE_OK;
    }

    TAnswer Send() {
        m_Answered = false;
        m_BlockStatus = 0;
        m_BlockLocation = false;
        m_Status = 0;
        m_BodyBytes = 0;
        m_Body.clear();
        const CURLcode code = curl_easy_perform(m_Curl);
        if (code == CURLE_OK) {
            long status = 0;
            if (curl_easy_getinfo(m_Curl, CURLINFO_RESPONSE_CODE, &status) != CURLE_OK || status <= 0)
                return TAnswer::NoStatus;
            m_Status = status;
            return TAnswer::Status;
        }
        if (!m_Answered)
            return TAnswer::None;
        if (m_Status <= 0)
            return TAnswer::NoStatus;
        // Once the status is known, only a 200 answer needs its body.
        return m_Status == StatusOk ? TAnswer::BodyFailed : TAnswer::Status;
    }

    [[nodiscard]] long Status() const { return m_Status; }
    [[nodiscard]] std::string TakeBody() { return std::move(m_Body); }

private:
    static size_t OnHeader(char* data, size_t size, size_t count, void* self) {
        auto& get = *static_cast<TCurlGet*>(self);
        const size_t length = size * count;
        const std::string_view line(data, length);
        if (line.starts_with("HTTP/")) {
            get.m_BlockStatus = StatusOfLine(line);
            get.m_BlockLocation = false;
        } else if (StartsWithNoCase(line, "Location:")) {
            get.m_BlockLocation = !TrimWhitespace(line.substr(9)).empty();
        } else if (line == "\r\n" || line == "\n") {
            const bool interim = get.m_BlockStatus >= 100 && get.m_BlockStatus < 200;
            const bool redirect = get.m_BlockStatus >= 300 && get.m_BlockStatus < 400 && get.m_BlockLocation;
            if (!interim && !redirect) {
                get.m_Answered = true;
                get.m_Status = get.m_BlockStatus;
            }
        }
        return length;
    }

    static size_t OnBody(char* data, size_t size, size_t count, void* self) {
        auto& get = *static_cast<TCurlGet*>(self);
        const size_t length = size * count;
        if (!get.m_Answered)
            return length;
        get.m_BodyBytes += length;
        if (get.m_BodyBytes > get.m_Limits.MaxBodyBytes)
            return 0; // ends the transfer with a write error
        if (get.m_Status == StatusOk)
            get.m_Body.append(data, length);
        return length;
    }

    THttpLimits m_Limits;
    CURL* m_Curl = nullptr;
    // The header block being read.
    long m_BlockStatus = 0;
    bool m_BlockLocation = false;
    // The final answer.
    bool m_Answered = false;
    long m_Status = 0;
    size_t m_BodyBytes = 0;
    std::string m_Body;
};

THttpGetResult Failed(std::string error) {
    return {false, {}, std::move(error)};
}

THttpGetResult StatusFailed(long status) {
    return Failed("HttpQueryInfo Status " + std::to_string(status));
}

// A server part names a host and perhaps a port, nothing else: neither credentials nor a query may ride on it.
bool IsPlainServerPart(std::string_view server) {
    return std::none_of(server.begin(), server.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == 0x7F || c == '@' || c == '?' || c == '#' || c == '\\';
    });
}

bool IsPlainObjectPart(std::string_view object) {
    return std::none_of(object.begin(), object.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7F; });
}

// Whether libcurl takes the text as an absolute URL.
bool ParsesAsUrl(const std::string& url) {
    std::unique_ptr<CURLU, decltype(&curl_url_cleanup)> handle(curl_url(), &curl_url_cleanup);
    return handle && curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), 0) == CURLUE_OK;
}
} // namespace

TUrlParts SplitUrl(std::string_view address) {
    std::string rest = TrimWhitespace(address);
    if (const size_t scheme = rest.find("://"); scheme != std::string::npos)
        rest = TrimWhitespace(std::string_view(rest).substr(scheme + 3));
    const size_t slash = rest.find('/');
    if (slash == std::string::npos)
        return {};
    return {TrimWhitespace(std::string_view(rest).substr(0, slash)),
            TrimWhitespace(std::string_view(rest).substr(slash))};
}

THttpGetResult HttpGetDirect(const std::string& address, const THttpLimits& limits) {
    TBusyCursorGuard busy(1);
    TCurlGet get(limits);
    if (!get.Open(""))
        return Failed("InternetOpen");
    if (!get.SetUrl(address))
        return Failed("InternetOpenURL");
    switch (get.Send()) {
    case TAnswer::None:
        return Failed("InternetOpenURL");
    case TAnswer::NoStatus:
        return Failed("HttpQueryInfo");
    case TAnswer::BodyFailed:
        return Failed("InternetReadFile");
    case TAnswer::Status:
        break;
    }
    if (get.Status() != StatusOk)
        return StatusFailed(get.Status());
    return {true, get.TakeBody(), {}};
}

THttpGetResult HttpGetViaProxy(const std::string& server, const std::string& object, const std::string& proxy,
                               const std::string& user, const std::string& password, const THttpLimits& limits) {
    const std::string host = TrimWhitespace(server);
    const std::string path = TrimWhitespace(object);
    if (host.empty() || path.empty())
        return Failed(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", server + object, "URL"));

    TBusyCursorGuard busy(1);
    TCurlGet get(limits);
    if (!get.Open(TrimWhitespace(proxy)))
        return Failed("InternetOpen");
    if (!IsPlainServerPart(host) || !ParsesAsUrl("http://" + host + "/"))
        return Failed("InternetConnect");
    const std::string url = "http://" + host + path;
    if (!IsPlainObjectPart(path) || !ParsesAsUrl(url) || !get.SetUrl(url))
        return Failed("HttpOpenRequest");

    TAnswer answer = get.Send();
    if (answer == TAnswer::None)
        return Failed("HttpSendRequest GET");
    if (answer == TAnswer::NoStatus)
        return Failed("HttpQueryInfo GET");
    if (answer == TAnswer::Status && get.Status() == StatusProxyAuthenticationRequired) {
        if (!get.SetProxyUser(user))
            return Failed("InternetSetOption INTERNET_OPTION_PROXY_USERNAME");
        if (!get.SetProxyPassword(password))
            return Failed("InternetSetOption INTERNET_OPTION_PROXY_PASSWORD");
        answer = get.Send();
        if (answer == TAnswer::None)
            return Failed("HttpSendRequest PROXY_AUTH");
        if (answer == TAnswer::NoStatus)
            return Failed("HttpQueryInfo PROXY_AUTH");
    }
    if (answer == TAnswer::BodyFailed)
        return Failed("InternetReadFile");
    if (get.Status() != StatusOk)
        return StatusFailed(get.Status());
    return {true, get.TakeBody(), {}};
}

} // namespace ndlemo
