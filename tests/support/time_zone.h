#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace korvex::test {

// Puts the process into the time zone `zone` (a TZ value such as "Europe/Berlin") for the
// object's life, and back into the one it had afterwards.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            saved_ = old;
        }
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~ScopedTimeZone() {
        if (saved_) {
            ::setenv("TZ", saved_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    std::optional<std::string> saved_;
};

// Seconds since 1970 of a UTC time "YYYY-MM-DD HH:MM:SS".
inline std::int64_t UtcTime(const char* text) {
    std::tm t{};
    std::sscanf(text, "%d-%d-%d %d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min,
                &t.tm_sec);
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return ::timegm(&t);
}

} // namespace korvex::test
