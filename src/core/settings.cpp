#include "core/settings.h"

#include "core/paths.h"
#include "core/settingsstore.h"
#include "core/sharedstate.h"

namespace {

const FrameLayout *installedLayout = nullptr;

const QString settingsSection = QStringLiteral("Settings");
const QString recentSection = QStringLiteral("Recent Files");

QString numbered(const char *key, int n)
{
    return QLatin1String(key) + QString::number(n);
}

QString favoriteKey(int n, int i)
{
    return QStringLiteral("FavoritesURL") + QString::number(n) + QString::number(i);
}

QString readText(const char *key, const QString &defaultValue = {})
{
    return SettingsStore::get(settingsSection, QLatin1String(key), defaultValue);
}

bool readBool(const char *key, bool defaultValue)
{
    return SettingsStore::getBool(settingsSection, QLatin1String(key), defaultValue);
}

int readInt(const char *key, int defaultValue)
{
    return SettingsStore::getInt(settingsSection, QLatin1String(key), defaultValue);
}

void writeText(const char *key, const QString &value)
{
    SettingsStore::set(settingsSection, QLatin1String(key), value);
}

void writeBool(const char *key, bool value)
{
    SettingsStore::setBool(settingsSection, QLatin1String(key), value);
}

void writeInt(const char *key, int value)
{
    SettingsStore::setInt(settingsSection, QLatin1String(key), value);
}

void saveFrameLayout(const FrameLayout::Values &v)
{
    writeBool("ToolBar", v.toolBarVisible);
    writeBool("StatusBar", v.statusBarVisible);
    writeBool("TreeView", v.treeViewVisible);
    writeInt("TreeViewWidth", v.treeViewWidth);
    writeInt("ImageViewHeight", v.imageViewHeight);
    // A minimised frame leaves the state alone; a maximised one keeps the last normal-state
    // position and size.
    if (v.windowState != 1)
        writeInt("MainState", v.windowState);
    if (v.windowState == 0) {
        writeInt("MainLeft", v.left);
        writeInt("MainTop", v.top);
        writeInt("MainWidth", v.width);
        writeInt("MainHeight", v.height);
    }
}

// One value of the shared state in the "Settings" section: its member, the key it is read
// under and the key it is written under (key names are matched without case; a few were read
// in another spelling than written), and its default. A value that cannot be read as its kind
// (a damaged file, or one edited by hand) falls back to the default.
struct ValueSetting
{
    const char *readKey;
    const char *writeKey;
    QString SharedState::*text = nullptr;
    bool SharedState::*flag = nullptr;
    int SharedState::*number = nullptr;
    bool flagDefault = false;
    bool defaultsToProgramFolder = false; // a text's default: the program's folder, else empty
};

const ValueSetting ValueSettings[] = {
    {"ChildState", "ChildState", nullptr, nullptr, &SharedState::intChildState},
    {"MyBrowzer", "MyBrowzer", nullptr, &SharedState::blnMyBrowzer, nullptr, true},
    {"BrowzerPath", "BrowzerPath", &SharedState::strBrowzerPath},
    {"ImageToolPath", "ImageToolPath", &SharedState::strImageToolPath},
    {"TagColor", "TagColor", nullptr, &SharedState::blnTagColor, nullptr, false},
    {"DebugMode", "DebugMode", nullptr, &SharedState::blnDebugMode, nullptr, false},
    {"WindowsCHeck", "WindowsCheck", nullptr, &SharedState::blnWindowsCheck, nullptr, true},
    {"TreePathChange", "TreePathChange", nullptr, &SharedState::blnTreePathChange, nullptr, true},
    {"TreeViewHide", "TreeViewHide", nullptr, &SharedState::blnTreeViewHide, nullptr, false},
    {"Author", "Author", &SharedState::strAuthor},
    {"LastFullPath", "LastFullPath", &SharedState::strLastFullPath, nullptr, nullptr, false, true},
    {"LastImagePath", "LastImagePath", &SharedState::strLastImagePath, nullptr, nullptr, false,
     true},
};

void loadValue(const ValueSetting &row, SharedState &s)
{
    if (row.text) {
        s.*row.text
            = readText(row.readKey, row.defaultsToProgramFolder ? programFolder() : QString());
    } else if (row.flag) {
        s.*row.flag = readBool(row.readKey, row.flagDefault);
    } else if (row.number) {
        const int value = readInt(row.readKey, 0);
        s.*row.number = value >= 0 && value <= 2 ? value : 0;
    }
}

void saveValue(const ValueSetting &row, const SharedState &s)
{
    if (row.text)
        writeText(row.writeKey, s.*row.text);
    else if (row.flag)
        writeBool(row.writeKey, s.*row.flag);
    else if (row.number)
        writeInt(row.writeKey, s.*row.number);
}

// Every numbered list of the shared state, walked the same way by loading and saving.
template <class Visit> void forEachListEntry(SharedState &s, Visit visit)
{
    for (int i = 1; i <= 20; ++i)
        visit(recentSection, numbered("RecentFile", i), s.strRecentFile[i]);
    for (int n = 0; n <= 9; ++n) {
        for (int i = 0; i <= 1; ++i)
            visit(recentSection, favoriteKey(n, i), s.strFavorites[n][i]);
    }
}

template <class Visit> void forEachPhrase(SharedState &s, Visit visit)
{
    for (int i = 0; i <= 14; ++i) {
        visit(settingsSection, numbered("KeikeiBun", i), s.strKeikeiBun[i]);
        visit(settingsSection, numbered("KeikeiName", i), s.strKeikeiName[i]);
    }
}

void loadEntry(const QString &section, const QString &key, QString &value)
{
    value = SettingsStore::get(section, key);
}

void saveEntry(const QString &section, const QString &key, QString &value)
{
    SettingsStore::set(section, key, value);
}

} // namespace

void setFrameLayout(const FrameLayout *layout)
{
    installedLayout = layout;
}

FrameLayout::Values loadFrameLayout(int screenWidthTwips, int screenHeightTwips,
                                    int designTreeWidth, int paneHeight)
{
    SettingsStore::sync();
    FrameLayout::Values v;
    v.toolBarVisible = readBool("ToolBar", true);
    v.statusBarVisible = readBool("StatusBar", true);
    v.treeViewVisible = readBool("TreeView", true);
    v.treeViewWidth = readInt("TreeViewWidth", designTreeWidth);
    v.imageViewHeight = readInt("ImageViewHeight", paneHeight / 5);
    v.windowState = readInt("MainState", 0);
    if (v.windowState < 0 || v.windowState > 2)
        v.windowState = 0;
    v.left = readInt("MainLeft", screenWidthTwips / 8);
    v.top = readInt("MainTop", screenHeightTwips / 8);
    v.width = readInt("MainWidth", static_cast<int>(qint64(screenWidthTwips) * 6 / 8));
    v.height = readInt("MainHeight", static_cast<int>(qint64(screenHeightTwips) * 6 / 8));
    return v;
}

void LoadSettings()
{
    // Pick up changes made to the file since the last read (by hand, for instance).
    SettingsStore::sync();
    SharedState &s = shared();
    for (const ValueSetting &row : ValueSettings) {
        if (!row.number) // the window state of document windows is read when one opens
            loadValue(row, s);
    }
    forEachListEntry(s, loadEntry);
    forEachPhrase(s, loadEntry);
}

void SaveSettings()
{
    // All keys go to the file in one atomic write.
    SettingsStore::Batch batch;
    SharedState &s = shared();
    // Without a frame the stored layout stays as it is.
    if (installedLayout)
        saveFrameLayout(installedLayout->current());
    for (const ValueSetting &row : ValueSettings)
        saveValue(row, s);
    forEachListEntry(s, saveEntry);
    forEachPhrase(s, saveEntry);
}

void SavePhrases()
{
    SettingsStore::Batch batch;
    forEachPhrase(shared(), saveEntry);
}

void AddRecentFile(const QString &path)
{
    // An empty path would open a gap at the head of the list.
    if (path.isEmpty())
        return;
    auto &list = shared().strRecentFile;
    if (samePath(list[1], path))
        return;
    int k = 20;
    for (int j = 2; j <= 20; ++j) {
        if (samePath(list[j], path)) {
            k = j;
            break;
        }
    }
    // Entries 1..k-1 move down one place, overwriting entry k (or dropping entry 20).
    for (int j = k - 1; j >= 1; --j)
        list[j + 1] = list[j];
    list[1] = path;
}

int storedChildState()
{
    const int state = readInt("ChildState", 0);
    return state >= 0 && state <= 2 ? state : 0;
}

void storeChildState(int state)
{
    writeInt("ChildState", state);
}

QString urlHistoryKey(int slot)
{
    return QString::number(slot) + QStringLiteral("HtmlURL");
}

QString storedUrlHistoryEntry(int slot)
{
    return SettingsStore::get(recentSection, urlHistoryKey(slot));
}

void storeUrlHistoryEntry(int slot, const QString &url)
{
    SettingsStore::set(recentSection, urlHistoryKey(slot), url);
}

QString storedSearchPage()
{
    return readText("SearchPage");
}

void storeSearchPage(const QString &address)
{
    writeText("SearchPage", address);
}

bool storedSpaceMarksShown()
{
    return readBool("SpaceMarks", false);
}

void storeSpaceMarksShown(bool shown)
{
    writeBool("SpaceMarks", shown);
}

TypingHelpOptions storedTypingHelp()
{
    const TypingHelpOptions defaults;
    return {readBool("Completion", defaults.completion),
            readBool("ClosingTags", defaults.closingTags),
            readBool("LineNumbers", defaults.lineNumbers),
            readBool("CompletionLowerCase", defaults.lowerCase),
            readBool("MatchingTags", defaults.matchingTags)};
}

void storeTypingHelp(const TypingHelpOptions &options)
{
    writeBool("Completion", options.completion);
    writeBool("ClosingTags", options.closingTags);
    writeBool("LineNumbers", options.lineNumbers);
    writeBool("CompletionLowerCase", options.lowerCase);
    writeBool("MatchingTags", options.matchingTags);
}
