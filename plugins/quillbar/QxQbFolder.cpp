#include "plugins/quillbar/QxQbFolder.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace fs = std::filesystem;

namespace QxQb {

namespace {

bool isRegularFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool equalIgnoringAsciiCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

std::string findFile(const std::string& folder, const std::string& name)
{
    const fs::path exact = fs::path(folder) / name;
    if (isRegularFile(exact))
        return exact.string();
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec)
        return std::string();
    std::vector<std::string> matches;
    for (const fs::directory_iterator end; it != end; it.increment(ec)) {
        if (ec)
            break;
        const std::string entry = it->path().filename().string();
        if (equalIgnoringAsciiCase(entry, name) && isRegularFile(it->path()))
            matches.push_back(it->path().string());
    }
    if (matches.empty())
        return std::string();
    // Directory order is arbitrary; the same folder must always give the same file.
    return *std::min_element(matches.begin(), matches.end());
}

bool readFile(const std::string& path, std::size_t maxBytes, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    // Sized by the file when it tells its size; read on in steps otherwise.
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    std::size_t step = ec ? 64 * 1024 : std::min<std::size_t>(static_cast<std::size_t>(size) + 1, maxBytes);
    while (bytes.size() < maxBytes) {
        const std::size_t have = bytes.size();
        const std::size_t want = std::min(std::max<std::size_t>(step, 1), maxBytes - have);
        bytes.resize(have + want);
        const std::size_t got = std::fread(bytes.data() + have, 1, want, file.get());
        bytes.resize(have + got);
        if (got < want)
            return !std::ferror(file.get());
        step = 64 * 1024;
    }
    return true;
}

std::string parentFolderName(const std::string& path)
{
    return fs::path(path).parent_path().filename().string();
}

} // namespace QxQb
