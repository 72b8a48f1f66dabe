#include "signin/dialog/SignInDialog.h"

#include "assets/SignInPictures.h"
#include "credentials/SettingsFile.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"
#include "signin/dialog/NewPasswordKeys.h"
#include "signin/dialog/NoAutoSelectLineEdit.h"
#include "signin/dialog/ShadowLabel.h"
#include "signin/dialog/VersionLabel.h"
#include "signin/dialog/WindowDragger.h"
#include "signin/update/SelfUpdate.h"

#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace zeb {

namespace {

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

SignInDialog::SignInDialog(DataModule& dataModule, const QString& home, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_home(home), m_flow(dataModule, *this, home)
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

    m_exitTimer = new QTimer(this);
    m_exitTimer->setObjectName(QStringLiteral("Timer1"));
    m_exitTimer->setInterval(updateExitTimerInterval);
    connect(m_exitTimer, &QTimer::timeout, this, &SignInDialog::exitTimerTick);

    auto* dragger = new WindowDragger(*this);
    dragger->watch(*m_upperPicture);
    dragger->watch(*m_lowerPicture);
    dragger->watch(*m_messageLabel);

    prepare();
}

SignInDialog::~SignInDialog() = default;

void SignInDialog::createPictures()
{
    m_upperPicture = new QLabel(this);
    m_upperPicture->setObjectName(QStringLiteral("Image1"));
    m_upperPicture->setGeometry(0, 0, 497, 278);
    m_upperPicture->setScaledContents(true);
    m_upperPicture->setPixmap(signInUpperPicture());

    m_lowerPicture = new QLabel(this);
    m_lowerPicture->setObjectName(QStringLiteral("Image2"));
    m_lowerPicture->setGeometry(0, 277, 497, 139);
    m_lowerPicture->setScaledContents(true);
    m_lowerPicture->setPixmap(signInLowerPicture());
}

void SignInDialog::createLabels()
{
    m_messageLabel = new ShadowLabel(this);
    m_messageLabel->setObjectName(QStringLiteral("RzLabel1"));
    m_messageLabel->setGeometry(60, 107, 329, 78);
    m_messageLabel->setFont(pixelFont(QStringLiteral("Arial"), 13, true));
    m_messageLabel->setShadowColor(Qt::darkGreen);
    QPalette messagePalette = m_messageLabel->palette();
    messagePalette.setColor(QPalette::WindowText, Qt::black);
    m_messageLabel->setPalette(messagePalette);

    // Wide enough for the update notice that replaces the version; a press on it reaches the picture below,
    // which moves the window.
    m_versionLabel = new QLabel(this);
    m_versionLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_versionLabel->setObjectName(QStringLiteral("Label1"));
    m_versionLabel->setGeometry(6, 5, dialogWidth - 12, 16);
    m_versionLabel->setFont(pixelFont(QStringLiteral("MS Sans Serif"), 13, true));
    QPalette versionPalette = m_versionLabel->palette();
    versionPalette.setColor(QPalette::WindowText, Qt::white);
    m_versionLabel->setPalette(versionPalette);
}

QLineEdit* SignInDialog::createField(QLineEdit* field, const QString& name, const QRect& geometry,
                                     bool password)
{
    field->setObjectName(name);
    field->setGeometry(geometry);
    field->setFrame(false);
    if (password)
        field->setEchoMode(QLineEdit::Password);
    field->installEventFilter(this);
    return field;
}

void SignInDialog::createFields()
{
    m_loginEdit =
        createField(new NoAutoSelectLineEdit(this), QStringLiteral("Login_Edit"), {146, 202, 187, 21}, false);
    m_passwordEdit =
        createField(new QLineEdit(this), QStringLiteral("Password_Edit"), {146, 238, 187, 21}, true);
    m_newPasswordEdit = createField(new QLineEdit(this), QStringLiteral("Edit1"), {148, 309, 186, 21}, true);
    m_confirmationEdit = createField(new QLineEdit(this), QStringLiteral("Edit2"), {148, 345, 186, 21}, true);
    // Hidden with their area, so that Tab does not lead into fields nobody sees.
    m_newPasswordEdit->hide();
    m_confirmationEdit->hide();
    m_loginEdit->setFocus();
}

QToolButton* SignInDialog::createButton(const QString& name, const QRect& geometry)
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

void SignInDialog::createButtons()
{
    m_signInButton = createButton(QStringLiteral("SpeedButton2"), {349, 200, 55, 20});
    m_cancelButton = createButton(QStringLiteral("SpeedButton1"), {418, 199, 67, 22});
    m_moreButton = createButton(QStringLiteral("SpeedButton3"), {346, 236, 139, 22});
    connect(m_signInButton, &QToolButton::clicked, this, &SignInDialog::signIn);
    connect(m_cancelButton, &QToolButton::clicked, this, &SignInDialog::cancel);
    connect(m_moreButton, &QToolButton::clicked, this, &SignInDialog::togglePasswordArea);
}

void SignInDialog::orderTabs()
{
    setTabOrder(m_loginEdit, m_passwordEdit);
    setTabOrder(m_passwordEdit, m_newPasswordEdit);
    setTabOrder(m_newPasswordEdit, m_confirmationEdit);
    setTabOrder(m_confirmationEdit, m_signInButton);
    setTabOrder(m_signInButton, m_cancelButton);
    setTabOrder(m_cancelButton, m_moreButton);
}

void SignInDialog::prepare()
{
    showingErrors([this] { removeLeftoverScript(m_home); });
    m_versionLabel->setText(versionLabelText(buildDateTime()));
}

void SignInDialog::cancel()
{
    Platform::instance().requestTerminate();
}

void SignInDialog::signIn()
{
    showingErrors([this] { m_flow.signInButtonClicked(); });
}

void SignInDialog::togglePasswordArea()
{
    const bool areaOpen = m_flow.togglePasswordArea();
    m_newPasswordEdit->setVisible(areaOpen);
    m_confirmationEdit->setVisible(areaOpen);
    setFixedHeight(areaOpen ? areaShownHeight : areaHiddenHeight);
}

void SignInDialog::exitTimerTick()
{
    exitWhenUpdateStarted(*m_exitTimer);
}

bool SignInDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // Enter presses a button that has the focus; in a field it signs in.
        if (auto* button = qobject_cast<QToolButton*>(watched))
            button->click();
        else
            signIn();
        return true;
    }
    return (watched == m_newPasswordEdit || watched == m_confirmationEdit) && !acceptsNewPasswordKey(*key);
}

void SignInDialog::keyPressEvent(QKeyEvent* event)
{
    // Escape cancels as the cancel button does, not by QDialog's reject().
    if (event->key() == Qt::Key_Escape) {
        cancel();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SignInDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_settingsChecked)
        return;
    m_settingsChecked = true;
    // An installation without a readable settings file cannot sign in at all: say so at once rather than at
    // the first attempt, once the dialog is on screen so that the box opens over it.
    QTimer::singleShot(0, this, [this] {
        showingErrors([this] { SettingsFile::read(m_flow.settingsLocation().settingsFile); });
    });
}

QString SignInDialog::login() const
{
    return m_loginEdit->text();
}

QString SignInDialog::password() const
{
    return m_passwordEdit->text();
}

QString SignInDialog::newPassword() const
{
    return m_newPasswordEdit->text();
}

QString SignInDialog::confirmation() const
{
    return m_confirmationEdit->text();
}

void SignInDialog::showMessage(const QString& text)
{
    m_messageLabel->setText(text);
}

void SignInDialog::pressMoreButton()
{
    m_moreButton->click();
}

void SignInDialog::disableMoreButton()
{
    m_moreButton->setEnabled(false);
}

void SignInDialog::clearNewPasswords()
{
    m_newPasswordEdit->clear();
    m_confirmationEdit->clear();
}

bool SignInDialog::startUpdate(const QString& publishedDigest, qint64 publishedBuild)
{
    UpdateSite site = UpdateSite::current();
    site.home = m_home;
    return startSelfUpdate(*m_versionLabel, *m_exitTimer, publishedDigest, publishedBuild, site);
}

void SignInDialog::closeWith(int modalResult)
{
    done(modalResult);
}

} // namespace zeb
