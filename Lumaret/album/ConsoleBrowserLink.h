// CConsoleBrowserLink: what the console panes ask of the image browser window. The panes never
// hold the browser: each call finds the one browser layer titled "이미지 브라우저" (or opens it)
// through the link, so a closed browser is simply not there. Tests put a link of their own in
// place to see what the panes asked for.
#pragma once

#include "mfc.h"

class CImgDetailView;

class CConsoleBrowserLink {
public:
    virtual ~CConsoleBrowserLink() = default;

    // Whether the browser layer is open; opens nothing.
    virtual BOOL IsOpen() = 0;
    // Opens the browser layer in a frame of frameResource, or brings the open one forward; FALSE
    // when there is none afterwards. The listings below then go to it.
    virtual BOOL Open(UINT frameResource) = 0;
    virtual void ListAlbum(int albumId, int reload) = 0;
    virtual void ListFolder(CString folder, int reload) = 0;
    virtual void SearchAlbums(CString keyword) = 0;
    // Removes, last to first, every listed image whose folder (with its backslash) is folder.
    virtual void RemoveFolderImages(CString folder) = 0;
    virtual void StopThumbnailThread() = 0;
    virtual void StartThumbnailThread() = 0;
    // The browser that owns the view switches to its detail view.
    virtual void ShowDetail(CImgDetailView* view) = 0;

    // The program's link, or the one a test installed.
    static CConsoleBrowserLink& Get();
    // Null puts the program's link back.
    static void Install(CConsoleBrowserLink* link);
};
