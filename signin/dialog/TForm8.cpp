#include "TForm8.h"

#include "ErrorDisplayApplication.h"
#include "NewPasswordKeys.h"
#include "NoAutoSelectLineEdit.h"
#include "Platform.h"
#include "SelfUpdate.h"
#include "SettingsFile.h"
#include "ShadowLabel.h"
#include "SignInPictures.h"
#include "VersionLabel.h"
#include "WindowDragger.h"

#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace zeb {

TForm8* Form8 = nullptr;

namespace {

// An error escaping a handler is shown like any unhandled one, and the dialog stays open.
template <typename Action> void showingErrors(Action&& action)
{
    try {
        action();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

QFont pixelFont(const QString& family, int pixels, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

const char* const fieldAndButtonStyle = R"(
QLineEdit { border: none; padding: 0 2px; background: white; color: black;
            lineedit-password-character: 42; }
QToolButton { border: none; background: transparent; }
QToolButton:hover { border: 1px solid rgba(255, 255, 255, 150); border-radius: 3px; }
QToolButton:pressed { background: rgba(0, 0, 0, 40); }
QToolButton:focus { border: 2px solid rgb(240, 160, 32); border-radius: 3px; }
)";

} // namespace

TForm8::TForm8(TDM_shtat& dataModule, QString& sessionLogin, const QString& home, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_home(home),
      m_settingsPath(QDir::cleanPath(QDir(home).absoluteFilePath(QStringLiteral("Data/ZEB")))),
      m_flow(dataModule, *this, sessionLogin, m_settingsPath)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Аутентификация"));
    setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13, false));
    setStyleSheet(QString::fromLatin1(fieldAndButtonStyle));
    setFixedSize(dialogWidth, createdHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    // Children are stacked in creation order: pictures at the bottom, controls over them.
    createPictures();
    createLabels();
    createFields();
    createButtons();
    orderTabs();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(updateExitTimerInterval);
    connect(Timer1, &QTimer::timeout, this, &TForm8::Timer1Timer);

    auto* dragger = new WindowDragger(*this);
    dragger->watch(*Image1);
    dragger->watch(*Image2);
    dragger->watch(*RzLabel1);

    FormCreate();
}

TForm8::~TForm8() = default;

void TForm8::createPictures()
{
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 497, 278);
    Image1->setScaledContents(true);
    Image1->setPixmap(signInUpperPicture());

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(0, 277, 497, 139);
    Image2->setScaledContents(true);
    Image2->setPixmap(signInLowerPicture());
}

void TForm8::createLabels()
{
    RzLabel1 = new ShadowLabel(this);
    RzLabel1->setObjectName(QStringLiteral("RzLabel1"));
    RzLabel1->setGeometry(60, 107, 329, 78);
    RzLabel1->setFont(pixelFont(QStringLiteral("Arial"), 13, true));
    RzLabel1->setShadowColor(Qt::darkGreen);
    QPalette messagePalette = RzLabel1->palette();
    messagePalette.setColor(QPalette::WindowText, Qt::black);
    RzLabel1->setPalette(messagePalette);

    // Wide enough for the update notice that replaces the version; a press on it reaches the picture below,
    // which moves the window.
    Label1 = new QLabel(this);
    Label1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(6, 5, dialogWidth - 12, 16);
    Label1->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    QPalette versionPalette = Label1->palette();
    versionPalette.setColor(QPalette::WindowText, Qt::white);
    Label1->setPalette(versionPalette);
}

QLineEdit* TForm8::createField(QLineEdit* field, const QString& name, const QRect& geometry, bool password)
{
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setFrame(false);
    if (password)
        field->setEchoMode(QLineEdit::Password);
    field->installEventFilter(this);
    return field;
}

void TForm8::createFields()
{
    Login_Edit =
        createField(new NoAutoSelectLineEdit(this), QStringLiteral("Login_Edit"), {146, 202, 187, 21}, false);
    Password_Edit =
        createField(new QLineEdit(this), QStringLiteral("Password_Edit"), {146, 238, 187, 21}, true);
    Edit1 = createField(new QLineEdit(this), QStringLiteral("Edit1"), {148, 309, 186, 21}, true);
    Edit2 = createField(new QLineEdit(this), QStringLiteral("Edit2"), {148, 345, 186, 21}, true);
    // Hidden with their area, so that Tab does not lead into fields nobody sees.
    Edit1->hide();
    Edit2->hide();
    Login_Edit->setFocus();
}

QToolButton* TForm8::createButton(const QString& name, const QRect& geometry)
{
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    // Reached by Tab only: a click leaves the focus in the field being typed.
    button->setFocusPolicy(Qt::TabFocus);
    button->setCursor(Qt::PointingHandCursor);
    button->installEventFilter(this);
    return button;
}

void TForm8::createButtons()
{
    SpeedButton2 = createButton(QStringLiteral("SpeedButton2"), {349, 200, 55, 20});
    SpeedButton1 = createButton(QStringLiteral("SpeedButton1"), {418, 199, 67, 22});
    SpeedButton3 = createButton(QStringLiteral("SpeedButton3"), {346, 236, 139, 22});
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm8::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm8::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm8::SpeedButton3Click);
}

void TForm8::orderTabs()
{
    setTabOrder(Login_Edit, Password_Edit);
    setTabOrder(Password_Edit, Edit1);
    setTabOrder(Edit1, Edit2);
    setTabOrder(Edit2, SpeedButton2);
    setTabOrder(SpeedButton2, SpeedButton1);
    setTabOrder(SpeedButton1, SpeedButton3);
}

void TForm8::FormCreate()
{
    showingErrors([this] { RemoveLeftoverScript(m_home); });
    Label1->setText(versionLabelText(buildDateTime()));
}

void TForm8::SpeedButton1Click()
{
    Platform::instance().requestTerminate();
}

void TForm8::SpeedButton2Click()
{
    showingErrors([this] { m_flow.signInButtonClicked(); });
}

void TForm8::SpeedButton3Click()
{
    const bool areaOpen = m_flow.togglePasswordArea();
    Edit1->setVisible(areaOpen);
    Edit2->setVisible(areaOpen);
    setFixedHeight(areaOpen ? areaShownHeight : areaHiddenHeight);
}

void TForm8::Timer1Timer()
{
    ExitTimerTick(*Timer1);
}

bool TForm8::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter presses a button that has the focus; in a field it signs in.
        if (auto* button = qobject_cast<QToolButton*>(watched))
            button->click();
        else
            SpeedButton2Click();
        return true;
    }
    return (watched == Edit1 || watched == Edit2) && !acceptsNewPasswordKey(*key);
}

void TForm8::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels as the cancel button does, not by QDialog's reject().
    if (event->key() == Qt::Key_Escape) {
        SpeedButton1Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm8::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_settingsChecked)
        return;
    m_settingsChecked = true;
    // An installation without a readable settings file cannot sign in at all: say so at once rather than at
    // the first attempt, once the dialog is on screen so that the box opens over it.
    QTimer::singleShot(0, this, [this] { showingErrors([this] { SettingsFile::read(m_settingsPath); }); });
}

QString TForm8::login() const
{
    return Login_Edit->text();
}

QString TForm8::password() const
{
    return Password_Edit->text();
}

QString TForm8::newPassword() const
{
    return Edit1->text();
}

QString TForm8::confirmation() const
{
    return Edit2->text();
}

void TForm8::showMessage(const QString& text)
{
    RzLabel1->setText(text);
}

void TForm8::pressMoreButton()
{
    SpeedButton3->click();
}

void TForm8::disableMoreButton()
{
    SpeedButton3->setEnabled(false);
}

void TForm8::clearNewPasswords()
{
    Edit1->clear();
    Edit2->clear();
}

void TForm8::startUpdate(const QString& publishedDigest)
{
    UpdateSite site = UpdateSite::current();
    site.home = m_home;
    StartUpdate(*Label1, *Timer1, publishedDigest, site);
}

void TForm8::closeWith(int modalResult)
{
    done(modalResult);
}

} // namespace zeb
