// CAdWebView: the advertising window's page view. It is the framework's HTML
// view with the window colour as its background and nothing of its own.
#pragma once

#include "mfc.h"

class CAdWebView : public CHtmlView {
    DECLARE_DYNCREATE(CAdWebView)
public:
    CAdWebView();

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
};
