#pragma once

#include <QMainWindow>
#include <array>

namespace zeb {

class TDM_shtat;

// The staff schedule's main window. Its creation runs the sign-in dialog modally and, after a successful
// sign-in, prepares the lists the window shows; it also records who works on which workstation for the
// audit stamps of the rows the program writes.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int computerNameBufferSize = 101;

    // When the sign-in is cancelled the program has been asked to end (Platform::terminationRequested).
    // `home` is the program's folder, with the settings file in its Data folder.
    TForm1(TDM_shtat& dataModule, const QString& home, QWidget* parent = nullptr);
    ~TForm1() override;

    // The login exactly as typed at sign-in; empty before it succeeded.
    QString SessionLogin;
    // The computer name's Windows-1251 bytes, zero-terminated; all zero when it could not be read.
    std::array<char, computerNameBufferSize> SessionComputerName{};
    // While true, saving a schedule line fills its defaults and binds it to the chosen unit.
    bool ApplyLineDefaults = false;

    // The computer name as text: the bytes up to the first zero.
    QString sessionComputerNameText() const;
    // This workstation's IPv4 address, looked up afresh at every call; raises Error when it cannot.
    QString SessionIp() const;

    TDM_shtat& dataModule() const { return m_dataModule; }

private:
    void FormCreate(const QString& home);
    void sortStartUpLists();
    void readComputerName();

    TDM_shtat& m_dataModule;
};

// The main window while it exists, null otherwise.
extern TForm1* Form1;

} // namespace zeb
