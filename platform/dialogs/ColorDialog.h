// ChooseColor: 48 basic colours, 16 custom ones, and (opened in full) the
// hue and saturation field, the luminance bar and the number fields.
#pragma once

#include "dialogs/DialogWindow.h"
#include "win32/commdlg.h"
#include "win32/gdi.h"

namespace mivo {

class ColorDialog : public DialogWindow<ColorDialog> {
public:
    static const int kBasicCount = 48;
    static const int kCustomCount = 16;
    static const int kHlsMax = 240;

    explicit ColorDialog(CHOOSECOLORA& cc);
    BOOL Run();

    // Hue, luminance, saturation on the dialog's 0..240 scales.
    struct Hls {
        int hue, lum, sat;
    };
    static Hls ToHls(COLORREF rgb);
    static COLORREF FromHls(const Hls& hls);
    // The process's own custom colours, for callers that bring none.
    static COLORREF* ProcessCustomColors();

private:
    friend class DialogWindow<ColorDialog>;
    HookFunction HookProc() const;
    LPARAM HookData() const;
    static LRESULT CALLBACK PickerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT msg, WPARAM wParam, LPARAM lParam);

    void OnInit();
    void MakeSwatches();
    void ShowFull(bool full);
    void OnCommand(int id, int code);
    void OnDrawItem(const DRAWITEMSTRUCT& dis);
    void DrawSwatch(const DRAWITEMSTRUCT& dis, COLORREF colour, bool chosen);
    void DrawSpectrum(HDC dc, const RECT& r);
    void DrawLuminance(HDC dc, const RECT& r);
    void PickAt(HWND picker, int x, int y);
    void SetCurrent(COLORREF colour, bool fromHls = false);
    void ShowNumbers();
    void ReadNumbers(int changedId);
    COLORREF SwatchColour(int index) const;

    CHOOSECOLORA& cc_;
    COLORREF* custom_;
    COLORREF current_ = 0;
    Hls hls_ = {0, 0, 0};
    int chosenSwatch_ = -1;
    int nextCustom_ = 0;
    bool full_ = false;
    bool updating_ = false;
};

}  // namespace mivo
