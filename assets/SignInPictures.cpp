#include "assets/SignInPictures.h"

// The resources live in a static library: naming their initialiser keeps the linker from dropping them.
static void initPictureResources()
{
    Q_INIT_RESOURCE(pictures);
}

namespace zeb {

namespace {

QPixmap picture(const QString& path)
{
    static const bool registered = (initPictureResources(), true);
    Q_UNUSED(registered);
    return QPixmap(path);
}

} // namespace

QPixmap signInUpperPicture()
{
    return picture(QStringLiteral(":/signin/signin-upper.png"));
}

QPixmap signInLowerPicture()
{
    return picture(QStringLiteral(":/signin/signin-lower.png"));
}

} // namespace zeb
