#pragma once

#include "SignInFlow.h"
#include "SignInView.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTimer;
class QToolButton;

namespace zeb {

class ShadowLabel;
class TDM_shtat;

// The sign-in dialog: a frameless window over two pictures that draw its labels, boxes and buttons; the
// fields and flat buttons lie exactly over them. Closes with 1 when signed in; every other end is a cancel.
class TForm8 : public QDialog, private SignInView
{
    Q_OBJECT

public:
    static constexpr int dialogWidth = 497;
    static constexpr int createdHeight = 273;
    static constexpr int areaShownHeight = 416;
    static constexpr int areaHiddenHeight = 275;

    // `home` is the program's folder: the settings file lies in its Data folder, the self-update works there.
    // `sessionLogin` receives the login as typed when the sign-in succeeds.
    TForm8(TDM_shtat& dataModule, QString& sessionLogin, const QString& home, QWidget* parent = nullptr);
    ~TForm8() override;

    const SignInFlow& flow() const { return m_flow; }

    QLabel* Image1;
    QLabel* Image2;
    QLineEdit* Login_Edit;
    QLineEdit* Password_Edit;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QToolButton* SpeedButton2;
    QToolButton* SpeedButton1;
    QToolButton* SpeedButton3;
    ShadowLabel* RzLabel1;
    QLabel* Label1;
    QTimer* Timer1;

public Q_SLOTS:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void Timer1Timer();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
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
    void startUpdate(const QString& publishedDigest) override;
    void closeWith(int modalResult) override;

    QString m_home;
    QString m_settingsPath;
    SignInFlow m_flow;
    bool m_settingsChecked = false;
};

// The sign-in dialog while it exists, null otherwise.
extern TForm8* Form8;

} // namespace zeb
