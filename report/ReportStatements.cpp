#include "report/ReportStatements.h"

namespace zeb::reportstatements {

namespace {

// Lines of no division and no faculty are shown nowhere in the client either.
const QString placed = QStringLiteral(" WHERE v.id_otdel_1 IS NOT NULL OR v.id_faculty IS NOT NULL");

} // namespace

QString lines()
{
    return linesOf(QStringLiteral("dbo.Vakansii"));
}

QString linesOf(const QString& source)
{
    return QStringLiteral(
               "SELECT v.id_vakansiya, v.Num, v.q_units, v.razrad, v.hourFond, v.e_n_p, v.e_d_p, v.d_d_p, "
               "v.id_otdel_1, d.otdel_1, v.id_otdel_11, s.otdel_1, v.id_faculty, fa.[p23-1], fa.[p23-2], "
               "v.id_otdel_2, l.otdel_1, v.id_kafedra, k.f1, p.post, c.Structure, b.name, v.descr, v.d_n_p "
               "FROM ") +
           source +
           QStringLiteral(" v LEFT JOIN dbo.Otdel_1 d ON d.id_otdel_1 = v.id_otdel_1 "
                          "LEFT JOIN dbo.Otdel_1 s ON s.id_otdel_1 = v.id_otdel_11 "
                          "LEFT JOIN dbo.Faculty fa ON fa.id_faculty = v.id_faculty "
                          "LEFT JOIN dbo.Otdel_1 l ON l.id_otdel_1 = v.id_otdel_2 "
                          "LEFT JOIN dbo.Kafedra k ON k.id_kafedra = v.id_kafedra "
                          "LEFT JOIN dbo.post p ON p.id_post = v.id_post "
                          "LEFT JOIN dbo.Structure c ON c.id_structure = v.id_structure "
                          "LEFT JOIN dbo.bk b ON b.id_bk = v.id_bk") +
           placed;
}

QString lineCount()
{
    return QStringLiteral("SELECT count(*) FROM dbo.Vakansii v") + placed;
}

QString institution()
{
    return QStringLiteral("SELECT TOP(1) u.v2 FROM dbo.vuz u ORDER BY (SELECT count(*) FROM dbo.Faculty f "
                          "WHERE f.id_vuz = u.id_vuz) DESC, u.id_vuz");
}

} // namespace zeb::reportstatements
