#pragma once
#include <vector>

class CKsFilterEnum;

// A filter's name and device path, copied so that they outlive the enumerator.
struct KsDeviceEntry {
    char* name;
    char* path;
};

// Owns its entries; an entry whose allocation failed is null.
typedef std::vector<KsDeviceEntry*> KsDeviceList;

// Refills the list from the enumerator's filters, in order; returns the entry count.
int BuildKsDeviceList(KsDeviceList* list, CKsFilterEnum* enumerator);
void ClearKsDeviceList(KsDeviceList* list);
