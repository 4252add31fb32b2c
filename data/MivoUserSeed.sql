-- Rows the program relies on.
INSERT INTO AlbumMaster (AlbumID, AlbumName, Parent) VALUES (0, '앨범', 0);

INSERT INTO BasCodes (BasCateg, BasCode, BasDesc1, BasNum1) VALUES ('JPEG', 'Quality', NULL, 95);
INSERT INTO BasCodes (BasCateg, BasCode, BasDesc1, BasNum1) VALUES ('Edit', 'UndoLevel', NULL, 8);
INSERT INTO BasCodes (BasCateg, BasCode, BasDesc1, BasNum1) VALUES ('SlideShow', 'BGColor', NULL, 0);
INSERT INTO BasCodes (BasCateg, BasCode, BasDesc1, BasNum1) VALUES ('Edit', 'LinkPrg', '', 0);
