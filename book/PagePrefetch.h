// Getting pages ready before they are opened: which pictures a page's layout
// file uses (its sprite sheets' pictures and every picture it loads from a
// file), and telling the engine's texture cache that the pictures of the
// pages one step away are wanted soon, so they are decoded in the background
// and building such a page only uploads them. The screens call one hook each;
// decoding and keeping textures is the engine's.
#pragma once

#include <string>
#include <vector>

namespace quibo {

class PagePrefetch {
public:
    // A page is on stage: the pages a turn reaches (previous and next, within the book).
    static void pageShown(int page);
    // The main menu is on stage: the page its continue button opens, when shown.
    static void mainMenuShown();
    // The selection grid shows entries for pages first..last.
    static void gridShown(int first, int last);
    // Start-up: the main menu comes first; its pictures decode while the window opens.
    static void mainMenuComing();

    // The pages whose pictures are wanted soon, replacing the earlier ones.
    static void wantPages(const std::vector<int>& pages);
    // The picture files page `page`'s layout uses, as the layout reader names
    // them; read once per run. Empty when the layout cannot be read (building
    // the page says why).
    static const std::vector<std::string>& picturesOfPage(int page);
    // The same for any layout file (a path as the layout reader takes it).
    static const std::vector<std::string>& picturesOfLayout(const std::string& layoutPath);
    // Forgets what was read (tests that change the book's files).
    static void forget();
};

} // namespace quibo
