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

void loadPhrases(SharedState &s)
{
    for (int i = 0; i <= 14; ++i) {
        s.strKeikeiBun[i] = SettingsStore::get(settingsSection, numbered("KeikeiBun", i));
        s.strKeikeiName[i] = SettingsStore::get(settingsSection, numbered("KeikeiName", i));
    }
}

void savePhrases(const SharedState &s)
{
    for (int i = 0; i <= 14; ++i) {
        SettingsStore::set(settingsSection, numbered("KeikeiBun", i), s.strKeikeiBun[i]);
        SettingsStore::set(settingsSection, numbered("KeikeiName", i), s.strKeikeiName[i]);
    }
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
    const QString folder = programFolder();

    s.strLastFullPath = readText("LastFullPath", folder);
    for (int i = 1; i <= 20; ++i)
        s.strRecentFile[i] = SettingsStore::get(recentSection, numbered("RecentFile", i));
    for (int n = 0; n <= 9; ++n) {
        for (int i = 0; i <= 1; ++i)
            s.strFavorites[n][i] = SettingsStore::get(recentSection, favoriteKey(n, i));
    }
    loadPhrases(s);
    s.blnMyBrowzer = readBool("MyBrowzer", true);
    s.strBrowzerPath = readText("BrowzerPath");
    s.strImageToolPath = readText("ImageToolPath");
    s.blnTagColor = readBool("TagColor", false);
    s.blnDebugMode = readBool("DebugMode", false);
    s.blnWindowsCheck = readBool("WindowsCHeck", true);
    s.blnTreePathChange = readBool("TreePathChange", true);
    s.blnTreeViewHide = readBool("TreeViewHide", false);
    s.strAuthor = readText("Author");
    s.strLastFullPath = readText("LastFullPath", folder);
    s.strLastImagePath = readText("LastImagePath", folder);
}

void SaveSettings()
{
    // All keys go to the file in one atomic write.
    SettingsStore::Batch batch;
    const SharedState &s = shared();

    writeInt("ChildState", s.intChildState);
    // Without a frame the stored layout stays as it is.
    if (installedLayout)
        saveFrameLayout(installedLayout->current());

    writeBool("MyBrowzer", s.blnMyBrowzer);
    writeText("BrowzerPath", s.strBrowzerPath);
    writeText("ImageToolPath", s.strImageToolPath);
    writeBool("TagColor", s.blnTagColor);
    writeBool("DebugMode", s.blnDebugMode);
    writeText("LastFullPath", s.strLastFullPath);
    writeText("LastImagePath", s.strLastImagePath);
    writeBool("WindowsCheck", s.blnWindowsCheck);
    writeBool("TreePathChange", s.blnTreePathChange);
    writeBool("TreeViewHide", s.blnTreeViewHide);
    writeText("Author", s.strAuthor);

    for (int i = 1; i <= 20; ++i)
        SettingsStore::set(recentSection, numbered("RecentFile", i), s.strRecentFile[i]);
    for (int n = 0; n <= 9; ++n) {
        for (int i = 0; i <= 1; ++i)
            SettingsStore::set(recentSection, favoriteKey(n, i), s.strFavorites[n][i]);
    }
    savePhrases(s);
}

void SavePhrases()
{
    SettingsStore::Batch batch;
    savePhrases(shared());
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

bool storedSpaceMarksShown()
{
    return readBool("SpaceMarks", false);
}

void storeSpaceMarksShown(bool shown)
{
    writeBool("SpaceMarks", shown);
}
