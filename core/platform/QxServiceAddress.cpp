#include "core/platform/QxServiceAddress.h"

#include <cctype>
#include <cstdlib>
#include <map>
#include <mutex>

namespace {

std::mutex g_lock;
std::map<std::string, std::string>& overrides()
{
    static std::map<std::string, std::string> map;
    return map;
}

std::string withoutTrailingSlash(std::string s)
{
    while (!s.empty() && s.back() == '/')
        s.pop_back();
    return s;
}

} // namespace

namespace QxServiceAddress {

std::string get(const std::string& service, const std::string& builtIn)
{
    {
        std::lock_guard<std::mutex> lock(g_lock);
        auto it = overrides().find(service);
        if (it != overrides().end())
            return it->second;
    }
    std::string var = "TRENDORIA_URL_";
    for (char c : service)
        var += std::isalnum(static_cast<unsigned char>(c))
                   ? static_cast<char>(std::toupper(static_cast<unsigned char>(c)))
                   : '_';
    const char* env = std::getenv(var.c_str());
    if (env && *env)
        return withoutTrailingSlash(env);
    return withoutTrailingSlash(builtIn);
}

void set(const std::string& service, const std::string& address)
{
    std::lock_guard<std::mutex> lock(g_lock);
    if (address.empty())
        overrides().erase(service);
    else
        overrides()[service] = withoutTrailingSlash(address);
}

std::string join(const std::string& base, const std::string& path)
{
    std::string b = withoutTrailingSlash(base);
    if (path.empty())
        return b;
    return path.front() == '/' ? b + path : b + "/" + path;
}

} // namespace QxServiceAddress
