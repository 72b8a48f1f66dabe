#pragma once

#include "signin/dialog/SignInFlow.h"
#include "signin/dialog/SignInView.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace zeb {

class ShadowLabel;
class DataModule;

// The sign-in dialog: a frameless window over two pictures that draw its labels, boxes and buttons; the
// fields and flat buttons lie exactly over them. Closes with 1 when signed in; every other end is a cancel.
class SignInDialog : public QDialog, private SignInView
{
    Q_OBJECT

public:
    static constexpr int dialogWidth = 497;
    static constexpr int createdHeight = 273;
    static constexpr int areaShownHeight = 416;
    static constexpr int areaHiddenHeight = 275;

    // `home` is the program's folder: the settings file lies in its Data folder (else the workstation's is
    // read), the self-update works there.
    // A successful sign-in leaves the login as typed in the data module.
    SignInDialog(DataModule& dataModule, const QString& home, QWidget* parent = nullptr);
    ~SignInDialog() override;

    const SignInFlow& flow() const { return m_flow; }

public Q_SLOTS:
    void cancel();
    void signIn();
    void togglePasswordArea();
    void exitTimerTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void prepare();
    void createPictures();
    void createFields();
    void createButtons();
    void orderTabs();
    void createLabels();
    QToolButton* createButton(const QString& name, const QRect& geometry);
    QLineEdit* createField(QLineEdit* field, const QString& name, const QRect& geometry, bool password);

    QString login() const override;
    QString password() const override;
    QString newPassword() const override;
    QString confirmation() const override;
    void showMessage(const QString& text) override;
    void pressMoreButton() override;
    void disableMoreButton() override;
    void clearNewPasswords() override;
    bool startUpdate(const QString& publishedDigest, qint64 publishedBuild) override;
    void closeWith(int modalResult) override;

    QString m_home;
    QLabel* m_upperPicture;
    QLabel* m_lowerPicture;
    QLineEdit* m_loginEdit;
    QLineEdit* m_passwordEdit;
    QLineEdit* m_newPasswordEdit;
    QLineEdit* m_confirmationEdit;
    QToolButton* m_signInButton;
    QToolButton* m_cancelButton;
    QToolButton* m_moreButton;
    ShadowLabel* m_messageLabel;
    QLabel* m_versionLabel;
    QTimer* m_exitTimer;

    SignInFlow m_flow;
    bool m_settingsChecked = false;
};

} // namespace zeb
