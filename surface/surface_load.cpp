// Loading a Surface from a BMP file on disk or in memory.
#include "bmp_reader.h"
#include "surface.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define MORVANE_POSIX_OPEN 1
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

class FileSource : public ByteSource {
public:
    FileSource(std::FILE* pFile, std::uint64_t nSize) : m_pFile(pFile), m_nSize(nSize) {}
    std::uint64_t Size() const override { return m_nSize; }
    bool Read(std::uint64_t offset, void* pDst, std::size_t n) override {
        if (offset > m_nSize || n > m_nSize - offset || offset > static_cast<std::uint64_t>(LONG_MAX))
            return false;
        if (std::fseek(m_pFile, static_cast<long>(offset), SEEK_SET) != 0)
            return false;
        return std::fread(pDst, 1, n, m_pFile) == n;
    }

private:
    std::FILE* m_pFile;
    std::uint64_t m_nSize;
};

struct FileCloser {
    void operator()(std::FILE* p) const { std::fclose(p); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string KindOf(fs::file_type type) {
    switch (type) {
    case fs::file_type::directory:
        return "a directory";
    case fs::file_type::fifo:
        return "a named pipe";
    case fs::file_type::character:
        return "a character device";
    case fs::file_type::block:
        return "a block device";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "not a plain file";
    }
}

bool Fail(std::string& reason, std::string text) {
    reason = std::move(text);
    return false;
}

// Opens a file that was a regular file when looked at. On POSIX systems the open itself
// must not block either: a named pipe swapped in after the look would wait for a writer
// forever, so the file is opened without blocking and the descriptor is checked again.
bool OpenChecked(const char* path, FilePtr& file, std::uint64_t& nSize, std::string& reason) {
#ifdef MORVANE_POSIX_OPEN
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return Fail(reason, std::string("cannot open: ") + std::strerror(errno));
    struct stat st {};
    const int nFlags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || nFlags == -1 ||
        ::fcntl(fd, F_SETFL, nFlags & ~O_NONBLOCK) == -1) {
        ::close(fd);
        return Fail(reason, "not a regular file (it changed while being opened)");
    }
    file.reset(::fdopen(fd, "rb"));
    if (!file) {
        ::close(fd);
        return Fail(reason, std::string("cannot open: ") + std::strerror(errno));
    }
    nSize = static_cast<std::uint64_t>(st.st_size);
#else
    file.reset(std::fopen(path, "rb"));
    if (!file)
        return Fail(reason, std::string("cannot open: ") + std::strerror(errno));
    std::error_code ec;
    nSize = fs::file_size(path, ec);
    if (ec)
        return Fail(reason, "cannot open: " + ec.message());
#endif
    return true;
}

} // namespace

// Fills the surface from a checked source; any failure leaves it empty.
class BmpLoader {
public:
    static bool Load(Surface& surface, ByteSource& source, std::string& reason) {
        BmpLayout layout;
        if (!ReadBmpLayout(source, layout, reason))
            return false;
        if (!surface.Allocate(layout.nWidth, layout.nHeight)) {
            reason = "out of memory";
            return false;
        }
        *surface.m_pInfo = layout.info;
        // A 24-bit file row and a surface row have the same padded length.
        const std::size_t nRow = static_cast<std::size_t>(surface.m_nPitch);
        const std::size_t nBytes = nRow * static_cast<std::size_t>(surface.m_nHeight);
        if (!source.Read(layout.nPixelOffset, surface.m_pBits, nBytes)) {
            surface.Release();
            reason = "pixel data unreadable";
            return false;
        }
        if (layout.bTopDown) {
            // Stored top row first: turn it over so the picture looks the same.
            for (int top = 0, bottom = surface.m_nHeight - 1; top < bottom; ++top, --bottom)
                std::swap_ranges(surface.m_pBits + nRow * top, surface.m_pBits + nRow * (top + 1),
                                 surface.m_pBits + nRow * bottom);
        }
        return true;
    }
};

bool Surface::LoadBMP(const char* path) {
    std::string reason;
    return LoadBMP(path, reason);
}

bool Surface::LoadBMP(const char* path, std::string& reason) {
    Release();
    if (!path)
        return Fail(reason, "no file name");
    // Only a regular file is opened: a pipe or a device could block or never end.
    std::error_code ec;
    const fs::file_status status = fs::status(path, ec);
    if (status.type() == fs::file_type::not_found)
        return Fail(reason, "no such file");
    if (ec)
        return Fail(reason, "cannot open: " + ec.message());
    if (status.type() != fs::file_type::regular)
        return Fail(reason, "not a regular file (" + KindOf(status.type()) + ")");

    FilePtr file;
    std::uint64_t nSize = 0;
    if (!OpenChecked(path, file, nSize, reason))
        return false;
    // The size is taken once: a file that grows meanwhile is read no further than that.
    FileSource source(file.get(), nSize);
    return BmpLoader::Load(*this, source, reason);
}

bool Surface::LoadBMPFromMemory(const std::uint8_t* data, std::size_t size, std::string& reason) {
    Release();
    MemorySource source(data, data ? size : 0);
    return BmpLoader::Load(*this, source, reason);
}
