#include "document/frmdocument.h"

#include "commands/menubuilder.h"
#include "core/interaction.h"
#include "core/paths.h"
#include "core/settings.h"
#include "core/sharedstate.h"
#include "document/documentmenus.h"
#include "document/documentsave.h"
#include "document/richtextbox.h"
#include "document/tagcolor.h"
#include "document/typinghelp.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QKeySequence>
#include <QMenu>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>

namespace {

QList<frmDocument::SetUpStep> &setUpSteps()
{
    static QList<frmDocument::SetUpStep> steps;
    return steps;
}

} // namespace

void frmDocument::addSetUpStep(SetUpStep step)
{
    if (!setUpSteps().contains(step))
        setUpSteps() << step;
}

frmDocument::frmDocument(QWidget *parent) : QMdiSubWindow(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);

    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    txtText = new RichTextBox(client);
    txtText->setObjectName(QStringLiteral("txtText"));
    txtText->setSpaceMarksShown(storedSpaceMarksShown());
    layout->addWidget(txtText);
    setWidget(client);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(500);
    connect(Timer1, &QTimer::timeout, this, &frmDocument::updateCaretPosition);

    buildMenus();
    freeSystemMenuKeys();
    connectText();
    installLiveColoring(*this);
    typingHelp = new TypingHelp(*txtText);
    installCompletionColoring(*this);
    setTextTag(strFileName);

    // Load: the window state of the last document window, the settings, the working folder
    // and the recent-file entries.
    m_initialState = storedChildState();
    shared().intChildState = m_initialState;
    LoadSettings();
    const QString folder = FolderOf(shared().strLastFullPath);
    if (!folder.isEmpty())
        QDir::setCurrent(folder); // an unreachable folder leaves the current one
    storeChildState();
    showRecentFiles(recentFileItems(), 15);
    // The window shows its own context menu on the right-button release.
    txtText->setContextMenuPolicy(Qt::NoContextMenu);

    for (SetUpStep step : std::as_const(setUpSteps()))
        step(*this);
}

frmDocument::~frmDocument() = default;

void frmDocument::buildMenus()
{
    BuiltMenus built
        = buildMenusFromTable(documentMenuTable(), this,
                              {&frmDocument::hasCommand,
                               [this](const QString &handler, int index) { run(handler, index); }});
    m_barMenus = built.bar;
    m_menus = built.menus;
    m_actions = built.actions;
}

void frmDocument::freeSystemMenuKeys()
{
    // Ctrl+W belongs to the preview entry; the sub-window's own close keeps Ctrl+F4 only.
    const QKeySequence previewKey(Qt::CTRL | Qt::Key_W);
    if (!systemMenu())
        return;
    for (QAction *entry : systemMenu()->actions()) {
        QList<QKeySequence> keys = entry->shortcuts();
        if (keys.removeAll(previewKey) > 0)
            entry->setShortcuts(keys);
    }
}

void frmDocument::connectText()
{
    connect(txtText, &RichTextBox::changed, this, [this] { blnFlgDirty = true; });
    connect(txtText, &RichTextBox::keyPressPreview, this, [this](const QString &text) {
        if (text == QString(QChar(22))) // Ctrl+V
            blnPasteKey = true;
    });
    connect(txtText, &RichTextBox::keyDown, this,
            [this](int key, Qt::KeyboardModifiers modifiers, const QString &) {
                onKeyDown(key, modifiers);
            });
    // Ctrl+V is pasted by the text control itself; the paste command then runs with both
    // flags set, inserts nothing and clears them, so a later paste from the menu works.
    connect(txtText, &RichTextBox::keyUp, this, [this] {
        if (blnCtrlKey && blnPasteKey)
            run(QStringLiteral("mnuEditPaste_Click"));
    });
    // The paste key found nothing the control can paste: the paste command says what the
    // clipboard holds instead.
    connect(txtText, &RichTextBox::nothingToPaste, this, [this] {
        blnPasteKey = false;
        run(QStringLiteral("mnuEditPaste_Click"));
    });
    connect(txtText, &RichTextBox::focusGained, Timer1, qOverload<>(&QTimer::start));
    connect(txtText, &RichTextBox::focusLost, Timer1, &QTimer::stop);
    connect(txtText, &RichTextBox::mouseMoved, this, &frmDocument::mouseMovedOverText);
    connect(txtText, &RichTextBox::filesDropped, this, &frmDocument::filesDropped);
}

void frmDocument::onKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers held = modifiers & ~Qt::KeypadModifier;
    if (held == Qt::ControlModifier)
        blnCtrlKey = true;
    if (key == Qt::Key_Insert && held == Qt::NoModifier) {
        txtText->setOverwriteMode(!txtText->overwriteMode());
        txtText->ignoreKey();
        emit overwriteModeChanged(txtText->overwriteMode());
        return;
    }
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    // Ctrl+Enter and Alt+Enter insert tags instead of a line break.
    const QString command = held == Qt::ControlModifier ? QStringLiteral("mnuHtmlTextBr_Click")
                            : held == Qt::AltModifier ? QStringLiteral("mnuHtmlTextParagraph_Click")
                                                      : QString();
    if (!command.isEmpty() && run(command))
        txtText->ignoreKey();
}

bool frmDocument::run(const QString &handler, int index)
{
    return DocumentCommands::run(*this, handler, index);
}

QAction *frmDocument::action(const QString &objectName) const
{
    return m_actions.value(objectName, nullptr);
}

QMenu *frmDocument::menu(const QString &objectName) const
{
    return m_menus.value(objectName, nullptr);
}

void frmDocument::setCommandEnabled(const QString &objectName, bool enabled)
{
    QAction *item = action(objectName);
    if (!item)
        return;
    const MenuEntry *entry = nullptr;
    for (const MenuEntry &e : documentMenuTable())
        if (menuEntryObjectName(e) == objectName)
            entry = &e;
    const QString handler = entry ? menuEntryHandler(*entry) : QString();
    item->setEnabled(enabled && (handler.isEmpty() || hasCommand(handler)));
}

void frmDocument::setEncoding(TextEncoding newEncoding)
{
    encoding = newEncoding;
    emit encodingChanged(newEncoding);
}

QString frmDocument::textTag() const
{
    return txtText->property("Tag").toString();
}

void frmDocument::setTextTag(const QString &tag)
{
    txtText->setProperty("Tag", tag);
}

void frmDocument::showDocument()
{
    show();
    if (m_initialState == 2)
        showMaximized();
    else if (m_initialState == 1)
        showMinimized();
    storeChildState();
}

int frmDocument::windowStateCode() const
{
    if (!isVisible())
        return m_initialState;
    if (isMinimized())
        return 1;
    return isMaximized() ? 2 : 0;
}

void frmDocument::storeChildState()
{
    const int state = windowStateCode();
    if (state == 1)
        return;
    ::storeChildState(state);
    shared().intChildState = state;
}

void frmDocument::resizeEvent(QResizeEvent *event)
{
    QMdiSubWindow::resizeEvent(event);
    if (isVisible())
        storeChildState();
}

void frmDocument::changeEvent(QEvent *event)
{
    QMdiSubWindow::changeEvent(event);
    // Maximising may not resize the window (it can already fill the area).
    if (event->type() == QEvent::WindowStateChange && isVisible())
        storeChildState();
}

bool frmDocument::queryClose()
{
    if (!blnFlgDirty)
        return true;
    const auto answer
        = Interaction::ask(caption() + QStringLiteral("は変更されています。\r\n保存しますか？"),
                           Interaction::Icon::Warning, Interaction::Buttons::YesNoCancel);
    if (answer == Interaction::Answer::Cancel)
        return false;
    if (answer == Interaction::Answer::Yes) {
        // A save that did not happen (dialog cancelled, write failed) keeps the window and
        // its text.
        return strFileName != NewFileName ? FileSave() : saveDocumentAsCommand(*this);
    }
    return true;
}

void frmDocument::closeAnswered()
{
    m_closeAnswered = true;
    if (!close())
        m_closeAnswered = false;
}

void frmDocument::closeEvent(QCloseEvent *event)
{
    try {
        if (!m_closeAnswered && !queryClose()) {
            event->ignore();
            return;
        }
    } catch (const std::exception &error) {
        Interaction::inform(QStringLiteral("★ FormUnload ★\r\nエラー番号：0\r\nエラー内容：")
                            + QString::fromLocal8Bit(error.what()));
    }
    Timer1->stop();
    if (!isMinimized())
        storeChildState();
    emit caretMoved(QStringLiteral("0/0"));
    QMdiSubWindow::closeEvent(event);
}

bool frmDocument::FileSave()
{
    return saveDocumentFile(*this);
}

void frmDocument::RefreshRecentMenus()
{
    showRecentFiles(recentFileItems(), 15);
    emit recentFilesChanged();
}

QList<QAction *> frmDocument::recentFileItems() const
{
    QList<QAction *> items;
    for (int i = 0; i <= 15; ++i)
        items << action(QStringLiteral("mnuRecentFile_%1").arg(i));
    return items;
}

void frmDocument::updateCaretPosition()
{
    lngCaretLine = txtText->lineFromChar(-1) + 1;
    lngLineStart = txtText->charFromLine(lngCaretLine - 1);
    // The full selection end: positions are not limited to 16 bits.
    lngCaretColumn = txtText->selEnd() - lngLineStart;
    emit caretMoved(QStringLiteral("%1/%2").arg(lngCaretColumn).arg(lngCaretLine));
}
