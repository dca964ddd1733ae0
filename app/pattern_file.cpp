#include "pattern_file.h"

#include "pattern_messages.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

std::vector<PngText> patternPngTexts(const std::string& code,
                                     std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    const auto day = floor<days>(now);
    const year_month_day date{day};
    const hh_mm_ss time{floor<seconds>(now - day)};
    static constexpr std::array<const char*, 7> weekdays = {"Sun", "Mon", "Tue", "Wed",
                                                            "Thu", "Fri", "Sat"};
    static constexpr std::array<const char*, 12> months = {
        "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::array<char, 40> written{};
    std::snprintf(written.data(), written.size(), "%s, %02u %s %04d %02d:%02d:%02d +0000",
                  weekdays[weekday{day}.c_encoding()], static_cast<unsigned>(date.day()),
                  months[static_cast<unsigned>(date.month()) - 1], static_cast<int>(date.year()),
                  static_cast<int>(time.hours().count()), static_cast<int>(time.minutes().count()),
                  static_cast<int>(time.seconds().count()));
    return {{codeTextKey, code},
            {"Software", "Pattern generator " PATTERN_VERSION},
            {"Creation Time", written.data()}};
}

std::string suggestedFileName(const std::string& code) {
    return "pattern-" + code + ".png";
}

std::variant<std::vector<std::uint8_t>, std::string>
readPatternFile(const std::filesystem::path& file) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) {
        return std::string(isAFolder);
    }
    // Asked before reading, so that a huge file is never read at all.
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        return error.message();
    }
    if (size > largestPatternFile) {
        return std::string(tooLargeForAPattern);
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return errno != 0 ? std::generic_category().message(errno)
                          : std::string("it cannot be read");
    }
    // No larger than largestPatternFile, so it fits a size_t on every platform.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
    // A file that shrank under the read is taken as it now is; one that cannot be read to
    // its end is not taken at all.
    if (in.bad()) {
        return std::string("it could not be read to its end");
    }
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

std::string shownFileName(const std::filesystem::path& file) {
    const std::u8string name = file.u8string();
    return {name.begin(), name.end()};
}
