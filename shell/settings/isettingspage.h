// The two operations of every settings page: the dialog hands each page its record (a
// CCommSetRecord or a CAppSettings) to show, and later to write the controls back into.
#pragma once

class ISettingsPage {
public:
    virtual ~ISettingsPage() {}
    virtual void PutSettings(void* pRecord) = 0;
    virtual int TakeSettings(void* pRecord) = 0;
};
