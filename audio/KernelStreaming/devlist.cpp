#include "audio/KernelStreaming/devlist.h"
#include "audio/KernelStreaming/enum.h"
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
char* CopyText(const char* text)
{
    size_t size = strlen(text) + 1;
    char* copy = (char*)malloc(size);
    if (copy)
        memcpy(copy, text, size);
    return copy;
}

KsDeviceEntry* NewEntry(const CKsFilter* filter)
{
    KsDeviceEntry* entry = new (std::nothrow) KsDeviceEntry;
    if (entry) {
        entry->name = CopyText(filter->m_szFriendlyName);
        entry->path = CopyText(filter->m_szDevicePath);
    }
    return entry;
}
} // namespace

int BuildKsDeviceList(KsDeviceList* list, CKsFilterEnum* enumerator)
{
    if (!list)
        return 0;
    ClearKsDeviceList(list);
    if (!enumerator)
        return 0;
    for (auto* node = enumerator->m_listFilters.GetHead(); node; node = node->pNext)
        list->push_back(NewEntry(node->pData));
    return (int)list->size();
}

void ClearKsDeviceList(KsDeviceList* list)
{
    if (!list)
        return;
    for (KsDeviceEntry* entry : *list) {
        if (!entry)
            continue;
        free(entry->name);
        free(entry->path);
        delete entry;
    }
    list->clear();
}
