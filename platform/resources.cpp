#include "resources.h"

namespace {
const ResourceModule* g_pModule = nullptr;

template <typename T> const T* FindById(std::span<const T> table, UINT nID) {
    for (const T& entry : table)
        if (entry.nID == nID)
            return &entry;
    return nullptr;
}
} // namespace

void AfxSetResourceHandle(const ResourceModule* pModule) {
    g_pModule = pModule;
}

const MenuResource* AfxFindMenu(UINT nID) {
    return g_pModule ? FindById(g_pModule->menus, nID) : nullptr;
}

const AccelTable* AfxFindAccelTable(UINT nID) {
    return g_pModule ? FindById(g_pModule->accelerators, nID) : nullptr;
}

const DialogTemplate* AfxFindDialog(UINT nID) {
    return g_pModule ? FindById(g_pModule->dialogs, nID) : nullptr;
}

const IconResource* AfxFindIcon(UINT nID) {
    return g_pModule ? FindById(g_pModule->icons, nID) : nullptr;
}

LPCSTR AfxFindString(UINT nID) {
    const StringEntry* pEntry = g_pModule ? FindById(g_pModule->strings, nID) : nullptr;
    return pEntry ? pEntry->pszText : nullptr;
}

BOOL AfxLoadString(UINT nID, std::string& rString) {
    LPCSTR psz = AfxFindString(nID);
    if (!psz) {
        rString.clear();
        return FALSE;
    }
    rString = psz;
    return TRUE;
}
