:on error exit
-- Run first, connected to master as the server administrator; this file is UTF-8 (sqlcmd -f 65001).
-- varchar columns hold text in the database's code page: in one that is not Windows-1251, Cyrillic turns
-- into question marks without an error, and a case-sensitive collation makes the client's names (Vakansii
-- and vakansii) differ. A new database gets Cyrillic_General_CI_AS; an existing one is kept only when its
-- collation is Windows-1251 and case-insensitive.

IF DB_ID(N'$(DATABASE)') IS NULL
    CREATE DATABASE [$(DATABASE)] COLLATE Cyrillic_General_CI_AS;
ELSE
BEGIN
    DECLARE @collation nvarchar(128) = CAST(DATABASEPROPERTYEX(N'$(DATABASE)', 'Collation') AS nvarchar(128));
    IF ISNULL(CAST(COLLATIONPROPERTY(@collation, 'CodePage') AS int), 0) <> 1251
       OR (ISNULL(CAST(COLLATIONPROPERTY(@collation, 'ComparisonStyle') AS int), 0) & 1) = 0
    BEGIN
        DECLARE @message nvarchar(2047) =
            N'База данных «%s» уже есть, но её параметры сортировки %s не годятся: кириллица в них не '
            + N'сохраняется или имена различаются регистром. Нужны параметры сортировки Cyrillic_General_CI_AS; '
            + N'укажите другое имя базы данных.';
        SET @collation = ISNULL(@collation, N'неизвестны');
        RAISERROR (@message, 16, 1, N'$(DATABASE)', @collation);
    END
END
GO
