// Loading a Surface from a BMP file on disk or in memory.
#include "bmp_reader.h"
#include "surface.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

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
    if (!path) {
        reason = "no file name";
        return false;
    }
    std::FILE* pRaw = std::fopen(path, "rb");
    if (!pRaw) {
        reason = errno == ENOENT ? "no such file" : std::string("cannot open: ") + std::strerror(errno);
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> pFile(pRaw);
    struct stat st {};
    if (fstat(fileno(pRaw), &st) != 0 || !S_ISREG(st.st_mode)) {
        reason = "not a regular file";
        return false;
    }
    FileSource source(pRaw, static_cast<std::uint64_t>(st.st_size));
    return BmpLoader::Load(*this, source, reason);
}

bool Surface::LoadBMPFromMemory(const std::uint8_t* data, std::size_t size, std::string& reason) {
    Release();
    MemorySource source(data, data ? size : 0);
    return BmpLoader::Load(*this, source, reason);
}
