// CMixerVolume: what the volume classes share: one volume control of the sound mixer, found
// through the default wave device's mixer, with a hidden window that hears of its changes.
#pragma once

#include "mfc.h"

typedef void(CALLBACK* PONVOLUMECHANGE)(DWORD dwCurrentVolume, DWORD dwUserValue);

class AFX_EXT_CLASS CMixerVolume {
public:
    virtual bool IsAvailable();
    virtual void Enable();
    virtual void Disable();
    virtual DWORD GetVolumeMetric();
    virtual DWORD GetMinimalVolume();
    virtual DWORD GetMaximalVolume();
    virtual DWORD GetCurrentVolume();
    virtual void SetCurrentVolume(DWORD dwValue);
    virtual void RegisterNotificationSink(PONVOLUMECHANGE pfn, DWORD dwUserValue);

protected:
    struct WindowNames {
        const char* className;
        const char* title;
        WNDPROC proc;
    };

    CMixerVolume();
    // Not virtual: each class is used as itself.
    ~CMixerVolume();

    // Opens the wave device of the kind given (input or output) to learn its mixer, makes the
    // notification window and opens the mixer with it.
    bool Init(bool input, const WindowNames& names);
    // On failure: closes the mixer, destroys the window and clears both flags.
    void Done();
    // Init for output, then finds the line of that component type and its volume control.
    bool InitOutputLine(const WindowNames& names, DWORD componentType);
    // Keeps the line's volume control when it has one.
    bool FindVolumeControl();
    // Switches every selection item of the line on and its mute off (or the reverse).
    bool EnableLine(bool bEnable = true);
    // Tells the sink, when one is set, the volume now.
    void Notify(LPARAM controlId);
    static bool SetSelectItems(HMIXER mixer, const MIXERCONTROL& control, DWORD channels, bool on);
    static bool SetBoolean(HMIXER mixer, DWORD controlId, bool on);

    bool m_bInitialized;
    bool m_bLineFound;
    bool m_bAvailable;
    UINT m_uMixerID;
    HMIXER m_hMixer;
    DWORD m_dwLineID;
    DWORD m_dwControlID;
    DWORD m_dwChannels;
    HWND m_hWnd;
    DWORD m_dwMinimalVolume;
    DWORD m_dwMaximalVolume;
    DWORD m_dwVolumeStep;
    PONVOLUMECHANGE m_pfnNotify;
    DWORD m_dwUserValue;
};
