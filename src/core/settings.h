#pragma once

#include <QString>

// The frame window's layout as the settings store keeps it. The frame installs its own
// implementation; until then the stored values pass through unchanged.
class FrameLayout
{
public:
    struct Values
    {
        bool toolBarVisible = true;
        bool statusBarVisible = true;
        bool treeViewVisible = true;
        int treeViewWidth = 0;                        // twips
        int imageViewHeight = 0;                      // twips
        int windowState = 0;                          // 0 normal, 1 minimised, 2 maximised
        int left = 0, top = 0, width = 0, height = 0; // twips, normal state
    };
    virtual ~FrameLayout() = default;
    virtual Values current() const = 0;
};

// Installs the frame's layout source (not owned); nullptr restores the pass-through.
void setFrameLayout(const FrameLayout *layout);

// The stored frame layout with its defaults, for the frame's load step. The defaults:
// toolbar, status bar and explorer pane visible; pane width `designTreeWidth`; image preview
// height `paneHeight` / 5; window state 0; the window one eighth of the screen from the top
// left and three quarters of the screen in size. A window state other than 0, 1 or 2 reads
// as 0. The frame applies `windowState` unless it is 1, and the four positions only when the
// state is then normal. All sizes in twips.
FrameLayout::Values loadFrameLayout(int screenWidthTwips, int screenHeightTwips,
                                    int designTreeWidth, int paneHeight);

// Reads the shared state from the store.
void LoadSettings();
// Writes the frame layout and the shared state to the store.
void SaveSettings();
// Writes the boilerplate phrases (shared().strKeikeiName, strKeikeiBun) to the store at once.
void SavePhrases();
// Puts `path` at the head of the recent-file list (shared().strRecentFile); an empty path
// changes nothing. The list is stored by the next SaveSettings.
void AddRecentFile(const QString &path);

// "ChildState": the window state document windows open with (0 normal, 1 minimised,
// 2 maximised; anything else reads as 0), and storing it.
int storedChildState();
void storeChildState(int state);

// The server URL history of the URL dialog: ten slots, slot 0 the newest, under the keys
// "0HtmlURL" ... "9HtmlURL" of the recent-file section.
QString urlHistoryKey(int slot);
QString storedUrlHistoryEntry(int slot);
void storeUrlHistoryEntry(int slot, const QString &url);

// "SearchPage": the page the built-in browser's Search button opens; empty means the program's
// own local search page.
QString storedSearchPage();
void storeSearchPage(const QString &address);

// Whether document windows draw faint marks for full-width spaces and tabs (default off).
bool storedSpaceMarksShown();
void storeSpaceMarksShown(bool shown);

// The help a document window gives while typing: a list of tag, attribute and value names
// (on by default), end tags written with an accepted tag (off), the line-number gutter (on),
// whether the list writes tag names in lower case (off: upper case, as the dialogs write), and
// the background on the tag at the caret and its partner (on).
struct TypingHelpOptions
{
    bool completion = true;
    bool closingTags = false;
    bool lineNumbers = true;
    bool lowerCase = false;
    bool matchingTags = true;

    bool operator==(const TypingHelpOptions &) const = default;
};
TypingHelpOptions storedTypingHelp();
void storeTypingHelp(const TypingHelpOptions &options);
