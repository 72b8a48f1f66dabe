-- The rows every installation needs before the first line is saved, one text for SQLite, PostgreSQL and
-- SQL Server. Withdrawal 2 marks a withdrawn line; the save defaults name category 5 and source 1; post 1
-- is the post a unit's placeholder line carries, so it must be the first row of a fresh post table.
-- Plain '...' literals: on SQL Server the database's Cyrillic collation stores them in varchar as they are.

INSERT INTO Enter (id_enter, enter) VALUES (1, 'Штатная');
INSERT INTO Enter (id_enter, enter) VALUES (2, 'Вакантная');
INSERT INTO Enter (id_enter, enter) VALUES (3, 'Временная');
INSERT INTO Enter (id_enter, enter) VALUES (4, 'Совместительство');

INSERT INTO Deduce (id_deduce, deduce) VALUES (1, 'Не выведена');
INSERT INTO Deduce (id_deduce, deduce) VALUES (2, 'Выведена');
INSERT INTO Deduce (id_deduce, deduce) VALUES (3, 'Сокращение запланировано');

INSERT INTO Structure (id_structure, Structure) VALUES (1, 'ППС');
INSERT INTO Structure (id_structure, Structure) VALUES (2, 'УВП');
INSERT INTO Structure (id_structure, Structure) VALUES (3, 'АУП');
INSERT INTO Structure (id_structure, Structure) VALUES (4, 'ПОП');
INSERT INTO Structure (id_structure, Structure) VALUES (5, 'Пр.');

INSERT INTO bk (id_bk, name) VALUES (1, 'Бюджет');
INSERT INTO bk (id_bk, name) VALUES (2, 'Внебюдж.');
INSERT INTO bk (id_bk, name) VALUES (3, 'Грант');

INSERT INTO post (post) VALUES ('Новая должность');
