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
        int treeViewWidth = 0;   // twips
        int imageViewHeight = 0; // twips
        int windowState = 0;     // 0 normal, 1 minimised, 2 maximised
        int left = 0, top = 0, width = 0, height = 0; // twips, normal state
    };
    virtual ~FrameLayout() = default;
    virtual Values current() const = 0;
};

// Installs the frame's layout source (not owned); nullptr restores the pass-through.
void setFrameLayout(const FrameLayout *layout);

// Reads the shared state from the store.
void LoadSettings();
// Writes the frame layout and the shared state to the store.
void SaveSettings();
// Puts `path` at the head of the recent-file list.
void AddRecentFile(const QString &path);
