#pragma once
// Base addresses of the web services the program talks to.  Each service
// has a built-in address; the environment variable TRENDORIA_URL_<NAME>
// (name upper-cased) or a call to set replaces it, so a test or a private
// mirror can point a service somewhere else, such as a server on 127.0.0.1.
#include <string>

namespace QxServiceAddress {

// The base address of the named service ("update", ...) without a trailing
// "/": the one given to set, else the environment's, else builtIn.
std::string get(const std::string& service, const std::string& builtIn);

// Replaces the address of a service for this process; an empty address
// removes the replacement.
void set(const std::string& service, const std::string& address);

// base joined with path, with exactly one "/" between them.
std::string join(const std::string& base, const std::string& path);

} // namespace QxServiceAddress
