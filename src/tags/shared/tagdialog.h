#pragma once

#include "core/interaction.h"

#include <QDialog>
#include <QPointer>
#include <QString>

class QHBoxLayout;
class QLayout;
class QPushButton;

// The behaviour every tag dialog shares. The result string reads "Cancel" from load until OK
// succeeds; OK checks the fields, builds the fragment, stores it and hides the dialog; Cancel,
// Esc and the window's close box store "Cancel" and hide. A dialog may refuse to be discarded
// (queryUnload); it then stays loaded and hidden, fields and all, and serves the next use.
class TagDialog : public QDialog
{
    Q_OBJECT

public:
    static inline const QString Cancel = QStringLiteral("Cancel");

    // The object names of the two buttons: OKButton/CancelButton for the small dlg dialogs,
    // cmdOK/cmdCancel for the frm dialogs.
    enum class ButtonNames { Dlg, Frm };

    TagDialog(const QString &name, const QString &caption, ButtonNames buttons,
              QWidget *parent = nullptr);

    const QString &resultString() const { return m_result; }
    void setResultString(const QString &result) { m_result = result; }
    bool isCancelled() const { return m_result == Cancel; }

    // The document's full path ("NewHtml" when never saved); references chosen with a file
    // button are written relative to it.
    const QString &basePath() const { return m_basePath; }
    void setBasePath(const QString &path) { m_basePath = path; }

    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Asks whether the dialog may be discarded now; when it may, runs its last words
    // (unloading) and answers true.
    bool tryUnload();

    // OK: check, build, store, hide. Cancel (also Esc and the close box): "Cancel", hide.
    void accept() override;
    void reject() override;

protected:
    // Checks the fields; on the first failed rule shows its message (see refuse) and answers
    // false, which keeps the dialog open.
    virtual bool validate() { return true; }
    // The fragment (or other result text) built from the fields.
    virtual QString buildResult() = 0;
    // After OK stored the result, before the dialog hides.
    virtual void okAccepted() {}
    // Answers whether the dialog may be discarded; a guard that refuses hides the dialog.
    virtual bool queryUnload() { return true; }
    // Runs once just before the dialog is discarded.
    virtual void unloading() {}

    // Shows `message` with the warning icon and moves the focus to `field`; answers false so
    // that validate() can return it.
    bool refuse(QWidget *field, const QString &message,
                Interaction::Buttons buttons = Interaction::Buttons::Ok);
    // The same with its own icon and title (OK button only).
    bool refuse(QWidget *field, const QString &message, Interaction::Icon icon,
                const QString &title);

    // A row with the OK and Cancel buttons, right-aligned, for the dialog's layout.
    QHBoxLayout *buttonRow();
    // Lays the dialog out as `content` above the button row.
    void layOut(QLayout *content);

    // Opening puts the focus in the first field of the tab order, so that typing goes there.
    void showEvent(QShowEvent *event) override;

private:
    QString m_result = Cancel;
    QString m_basePath;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

namespace DialogDetail {
template <class D> QPointer<D> &loadedSlot()
{
    static QPointer<D> dialog;
    return dialog;
}
} // namespace DialogDetail

// The loaded dialog of kind D, or nullptr when none is loaded.
template <class D> D *loadedDialog()
{
    return DialogDetail::loadedSlot<D>().data();
}

// Loads a dialog of kind D: a fresh one with its defaults, or the one a refused discard kept.
template <class D> D &loadDialog()
{
    QPointer<D> &slot = DialogDetail::loadedSlot<D>();
    if (!slot)
        slot = new D;
    return *slot;
}

// Discards the loaded dialog of kind D unless its guard refuses; true when it is gone.
template <class D> bool unloadDialog()
{
    QPointer<D> &slot = DialogDetail::loadedSlot<D>();
    if (!slot)
        return true;
    if (!slot->tryUnload())
        return false;
    delete slot.data();
    return true;
}

// Shows `dialog` modally (no owner window) and returns its result string.
QString runDialog(TagDialog &dialog);

// One use of a dialog of kind D, from load to discard:
//     DialogUse<frmTdSet> dialog;
//     dialog->chkTH->setChecked(true);
//     const QString result = dialog.run();

template <class D> class DialogUse
{
public:
    DialogUse() : m_dialog(loadDialog<D>()) {}
    ~DialogUse() { unloadDialog<D>(); }
    DialogUse(const DialogUse &) = delete;
    DialogUse &operator=(const DialogUse &) = delete;

    D *operator->() const { return &m_dialog; }
    D &operator*() const { return m_dialog; }
    QString run() const { return runDialog(m_dialog); }

private:
    D &m_dialog;
};
