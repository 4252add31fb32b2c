-- The print forms the program offers; it never creates forms itself.
-- A4 is 2100 x 2970 tenths of a millimetre; slots keep a 10 mm margin and gap.
INSERT INTO PrFormMaster VALUES (1, 'A4 세로 1장', '세로', 'A4', 2100, 2970, 1, 'System');
INSERT INTO PrFormMaster VALUES (2, 'A4 세로 2장', '세로', 'A4', 2100, 2970, 2, 'System');
INSERT INTO PrFormMaster VALUES (3, 'A4 세로 4장', '세로', 'A4', 2100, 2970, 4, 'System');
INSERT INTO PrFormMaster VALUES (4, 'A4 가로 1장', '가로', 'A4', 2970, 2100, 1, 'System');
INSERT INTO PrFormMaster VALUES (5, 'A4 가로 2장', '가로', 'A4', 2970, 2100, 2, 'System');
INSERT INTO PrFormMaster VALUES (6, 'A4 가로 4장', '가로', 'A4', 2970, 2100, 4, 'System');

INSERT INTO PrFormDetail VALUES (1, 1, 'img', 100, 100, 2000, 2870, 0, 0, '');

INSERT INTO PrFormDetail VALUES (2, 1, 'img', 100, 100, 2000, 1435, 0, 0, '');
INSERT INTO PrFormDetail VALUES (2, 2, 'img', 100, 1535, 2000, 2870, 0, 0, '');

INSERT INTO PrFormDetail VALUES (3, 1, 'img', 100, 100, 1000, 1435, 0, 0, '');
INSERT INTO PrFormDetail VALUES (3, 2, 'img', 1100, 100, 2000, 1435, 0, 0, '');
INSERT INTO PrFormDetail VALUES (3, 3, 'img', 100, 1535, 1000, 2870, 0, 0, '');
INSERT INTO PrFormDetail VALUES (3, 4, 'img', 1100, 1535, 2000, 2870, 0, 0, '');

INSERT INTO PrFormDetail VALUES (4, 1, 'img', 100, 100, 2870, 2000, 0, 0, '');

INSERT INTO PrFormDetail VALUES (5, 1, 'img', 100, 100, 1435, 2000, 0, 0, '');
INSERT INTO PrFormDetail VALUES (5, 2, 'img', 1535, 100, 2870, 2000, 0, 0, '');

INSERT INTO PrFormDetail VALUES (6, 1, 'img', 100, 100, 1435, 1000, 0, 0, '');
INSERT INTO PrFormDetail VALUES (6, 2, 'img', 1535, 100, 2870, 1000, 0, 0, '');
INSERT INTO PrFormDetail VALUES (6, 3, 'img', 100, 1100, 1435, 2000, 0, 0, '');
INSERT INTO PrFormDetail VALUES (6, 4, 'img', 1535, 1100, 2870, 2000, 0, 0, '');
