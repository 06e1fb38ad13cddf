#include "exe_resources.h"

#include <windows.h>

#include <algorithm>

namespace exeres {
namespace {

// Reads the little-endian parts of one resource in turn; any read past its end fails it.
class Reader {
public:
    Reader(const BYTE* p, DWORD n) : m_p(p), m_n(n) {}

    bool Ok() const { return m_bOk; }
    std::size_t Offset() const { return m_at; }
    void Seek(std::size_t at) {
        if (at > m_n)
            m_bOk = false;
        m_at = std::min<std::size_t>(at, m_n);
    }
    void Align4() { Seek((m_at + 3) & ~std::size_t{3}); }
    std::uint16_t Word() {
        if (m_at + 2 > m_n) {
            m_bOk = false;
            return 0;
        }
        const std::uint16_t w = static_cast<std::uint16_t>(m_p[m_at] | (m_p[m_at + 1] << 8));
        m_at += 2;
        return w;
    }
    std::uint32_t Dword() {
        const std::uint32_t lo = Word();
        return lo | (std::uint32_t{Word()} << 16);
    }
    // A zero-terminated UTF-16 text, as UTF-8.
    std::string Text() {
        std::wstring w;
        for (std::uint16_t c = Word(); m_bOk && c != 0; c = Word())
            w.push_back(static_cast<wchar_t>(c));
        return Utf8(w);
    }
    // A text or, after 0xFFFF, an ordinal.
    std::string TextOrOrdinal(std::uint16_t* pOrdinal) {
        if (m_at + 2 <= m_n && m_p[m_at] == 0xFF && m_p[m_at + 1] == 0xFF) {
            Word();
            *pOrdinal = Word();
            return {};
        }
        *pOrdinal = 0;
        return Text();
    }
    static std::string Utf8(const std::wstring& w) {
        if (w.empty())
            return {};
        const int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                          nullptr, nullptr);
        std::string s(static_cast<std::size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
        return s;
    }

private:
    const BYTE* m_p;
    std::size_t m_n;
    std::size_t m_at = 0;
    bool m_bOk = true;
};

struct Found {
    const BYTE* p = nullptr;
    DWORD n = 0;
};

Found Load(HMODULE h, LPCWSTR type, LPCWSTR name) {
    HRSRC hRes = FindResourceW(h, name, type);
    if (!hRes)
        return {};
    HGLOBAL hData = LoadResource(h, hRes);
    return Found{static_cast<const BYTE*>(LockResource(hData)), SizeofResource(h, hRes)};
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD wLanguage, LONG_PTR lParam) {
    auto& languages = *reinterpret_cast<std::vector<std::uint16_t>*>(lParam);
    if (std::find(languages.begin(), languages.end(), wLanguage) == languages.end())
        languages.push_back(wLanguage);
    return TRUE;
}

BOOL CALLBACK AddLanguagesOfName(HMODULE h, LPCWSTR type, LPWSTR name, LONG_PTR lParam) {
    EnumResourceLanguagesW(h, type, name, AddLanguage, lParam);
    return TRUE;
}

BOOL CALLBACK AddLanguagesOfType(HMODULE h, LPWSTR type, LONG_PTR lParam) {
    EnumResourceNamesW(h, type, AddLanguagesOfName, lParam);
    return TRUE;
}

bool ReadMenu(Found f, std::vector<MenuItem>& items) {
    Reader r(f.p, f.n);
    r.Word();                               // version
    const std::uint16_t nHeader = r.Word(); // the header's size, 0 for a plain menu
    r.Seek(r.Offset() + nHeader);
    int nLevel = 0;
    // Two levels, as a menu bar of popups has them; an item's end bit closes its popup.
    while (r.Ok() && r.Offset() < f.n) {
        MenuItem item;
        const std::uint16_t nFlags = r.Word();
        item.nFlags = nFlags & ~MF_END;
        item.nLevel = nLevel;
        if (!(nFlags & MF_POPUP))
            item.nID = r.Word();
        item.strText = r.Text();
        items.push_back(item);
        if (nFlags & MF_POPUP)
            ++nLevel;
        else if (nFlags & MF_END)
            --nLevel;
    }
    return r.Ok();
}

bool ReadDialog(Found f, Dialog& d) {
    Reader r(f.p, f.n);
    d.dwStyle = r.Dword();
    d.dwExStyle = r.Dword();
    const int nItems = r.Word();
    d.x = static_cast<short>(r.Word());
    d.y = static_cast<short>(r.Word());
    d.cx = static_cast<short>(r.Word());
    d.cy = static_cast<short>(r.Word());
    std::uint16_t nOrdinal = 0;
    r.TextOrOrdinal(&nOrdinal); // menu
    r.TextOrOrdinal(&nOrdinal); // class
    d.strCaption = r.Text();
    if (d.dwStyle & DS_SETFONT) {
        d.nPointSize = r.Word();
        d.strFace = r.Text();
    }
    for (int i = 0; i < nItems && r.Ok(); ++i) {
        r.Align4();
        Control c;
        c.dwStyle = r.Dword();
        c.dwExStyle = r.Dword();
        c.x = static_cast<short>(r.Word());
        c.y = static_cast<short>(r.Word());
        c.cx = static_cast<short>(r.Word());
        c.cy = static_cast<short>(r.Word());
        c.nID = r.Word();
        c.strClass = r.TextOrOrdinal(&c.nClassAtom);
        c.strText = r.TextOrOrdinal(&c.nTextOrdinal);
        const std::uint16_t nExtra = r.Word();
        r.Seek(r.Offset() + nExtra);
        d.controls.push_back(c);
    }
    return r.Ok();
}

// One node of the version block: its key, its value's bytes and where its children start.
struct VersionNode {
    std::string strKey;
    std::size_t nValueAt = 0, nValueLength = 0, nChildrenAt = 0, nEnd = 0;
    bool bText = false;
};

VersionNode ReadNode(Reader& r) {
    VersionNode node;
    const std::size_t at = r.Offset();
    const std::uint16_t nLength = r.Word();
    node.nValueLength = r.Word();
    node.bText = r.Word() == 1;
    node.strKey = r.Text();
    r.Align4();
    node.nValueAt = r.Offset();
    node.nEnd = at + nLength;
    // A text value's length counts UTF-16 units, a binary value's bytes.
    r.Seek(node.nValueAt + node.nValueLength * (node.bText ? 2 : 1));
    r.Align4();
    node.nChildrenAt = r.Offset();
    return node;
}

bool ReadVersion(Found f, Version& v) {
    Reader r(f.p, f.n);
    const VersionNode root = ReadNode(r);
    Reader fixed(f.p, f.n);
    fixed.Seek(root.nValueAt);
    if (fixed.Dword() != 0xFEEF04BD)
        return false;
    fixed.Dword(); // structure version
    v.fileMS = fixed.Dword();
    v.fileLS = fixed.Dword();
    v.productMS = fixed.Dword();
    v.productLS = fixed.Dword();
    v.dwFlagsMask = fixed.Dword();
    v.dwFlags = fixed.Dword();
    v.dwOS = fixed.Dword();
    v.dwType = fixed.Dword();
    v.dwSubtype = fixed.Dword();
    r.Seek(root.nChildrenAt);
    while (r.Ok() && r.Offset() < root.nEnd) {
        const VersionNode info = ReadNode(r);
        r.Seek(info.nChildrenAt);
        while (r.Ok() && r.Offset() < info.nEnd) {
            const VersionNode table = ReadNode(r);
            r.Seek(table.nChildrenAt);
            if (info.strKey == "StringFileInfo") {
                v.strStringBlock = table.strKey;
                while (r.Ok() && r.Offset() < table.nEnd) {
                    const VersionNode entry = ReadNode(r);
                    Reader value(f.p, f.n);
                    value.Seek(entry.nValueAt);
                    v.strings.emplace_back(entry.strKey, entry.nValueLength ? value.Text() : std::string());
                    r.Seek(entry.nEnd);
                    r.Align4();
                }
            } else if (table.strKey == "Translation") {
                Reader value(f.p, f.n);
                value.Seek(table.nValueAt);
                v.wTranslationLanguage = value.Word();
                v.wTranslationCodePage = value.Word();
            }
            r.Seek(table.nEnd);
            r.Align4();
        }
        r.Seek(info.nEnd);
        r.Align4();
    }
    return r.Ok();
}

} // namespace

std::optional<Program> ReadProgram(const std::string& strPath, unsigned nMainID, unsigned nDialogID,
                                   const std::vector<unsigned>& stringIDs, std::string* pError) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, strPath.c_str(), -1, nullptr, 0);
    std::wstring wPath(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strPath.c_str(), -1, wPath.data(), n);
    HMODULE h =
        LoadLibraryExW(wPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!h) {
        *pError = "cannot open " + strPath + " (error " + std::to_string(GetLastError()) + ")";
        return std::nullopt;
    }
    Program prog;
    EnumResourceTypesW(h, AddLanguagesOfType, reinterpret_cast<LONG_PTR>(&prog.languages));
    std::string strMissing;
    auto need = [&](Found f, const char* what) {
        if (!f.p)
            strMissing += std::string(strMissing.empty() ? "" : ", ") + what;
        return f;
    };
    const Found menu = need(Load(h, RT_MENU, MAKEINTRESOURCEW(nMainID)), "menu");
    const Found accels = need(Load(h, RT_ACCELERATOR, MAKEINTRESOURCEW(nMainID)), "accelerators");
    const Found dialog = need(Load(h, RT_DIALOG, MAKEINTRESOURCEW(nDialogID)), "dialog");
    const Found icons = need(Load(h, RT_GROUP_ICON, MAKEINTRESOURCEW(nMainID)), "icon group");
    const Found version = need(Load(h, RT_VERSION, MAKEINTRESOURCEW(1)), "version");
    bool bOk = strMissing.empty();
    if (bOk) {
        bOk = ReadMenu(menu, prog.menu) && ReadDialog(dialog, prog.dialog) &&
              ReadVersion(version, prog.version);
        Reader a(accels.p, accels.n);
        for (std::uint16_t nFlags = 0; a.Ok() && !(nFlags & 0x80) && a.Offset() < accels.n;) {
            nFlags = a.Word();
            Accel accel{static_cast<std::uint16_t>(nFlags & 0x7F), a.Word(), a.Word()};
            a.Word(); // padding
            prog.accels.push_back(accel);
        }
        Reader g(icons.p, icons.n);
        g.Word(); // reserved
        g.Word(); // type
        for (int i = 0, count = g.Word(); i < count && g.Ok(); ++i) {
            IconEntry e;
            const std::uint16_t wh = g.Word();
            const std::uint16_t cr = g.Word();
            e.nWidth = wh & 0xFF;
            e.nHeight = wh >> 8;
            e.nColours = cr & 0xFF;
            g.Word(); // planes
            e.nBitCount = g.Word();
            e.nBytes = g.Dword();
            g.Word(); // the image's id
            prog.icons.push_back(e);
        }
        bOk = bOk && a.Ok() && g.Ok();
        for (unsigned nID : stringIDs) {
            wchar_t sz[256] = {};
            LoadStringW(h, nID, sz, 256);
            prog.strings.emplace_back(nID, Reader::Utf8(sz));
        }
    }
    FreeLibrary(h);
    if (!strMissing.empty())
        *pError = strPath + " has no " + strMissing;
    else if (!bOk)
        *pError = strPath + ": a resource is cut short";
    if (!bOk)
        return std::nullopt;
    return prog;
}

} // namespace exeres
