-- The demo catalogue of TarvelCALC Rollenführungen.
-- Turned into build/DBFN.db at build time (src/catalogue/mkcatalogue). The program only
-- reads the file. Numbers are stored as numbers (INTEGER or REAL), as a real catalogue
-- holds them; the queries turn every value into text with cstr().
--
-- Table sets: group FN (catalogue series TLS, TLK, TLH), group TL (the linear module
-- TLM, only for one cassette on one double rail) and group So (stainless series TLX).
-- Each set is a base table (bearings and load ratings), a double-rail table (cassette)
-- and a single-rail table (roller shoe), joined on the size Gr. TLS 45 has no roller
-- shoe and so is no part of its set; TLK starts at size 25.

CREATE TABLE Einstellung (Beschr TEXT, Wert TEXT);
INSERT INTO Einstellung VALUES ('StdSiko', '15');
INSERT INTO Einstellung VALUES ('SwSiko', '25');
INSERT INTO Einstellung VALUES ('WeSiko', '35');
INSERT INTO Einstellung VALUES ('PrgVers', 'StdVer');
INSERT INTO Einstellung VALUES ('FNTblAnz', '3');
INSERT INTO Einstellung VALUES ('FNTblNam0', 'TLS_Basis/TLK_Basis/TLH_Basis/');
INSERT INTO Einstellung VALUES ('FNTblNam1', 'TLS_Kassette/TLK_Kassette/TLH_Kassette/');
INSERT INTO Einstellung VALUES ('FNTblNam2', 'TLS_Rollenschuh/TLK_Rollenschuh/TLH_Rollenschuh/');
INSERT INTO Einstellung VALUES ('TLTblAnz', '1');
INSERT INTO Einstellung VALUES ('TLTblNam0', 'TLM_Basis/');
INSERT INTO Einstellung VALUES ('TLTblNam1', 'TLM_Kassette/');
INSERT INTO Einstellung VALUES ('TLTblNam2', 'TLM_Rollenschuh/');
INSERT INTO Einstellung VALUES ('SoTblAnz', '1');
INSERT INTO Einstellung VALUES ('SoTblNam0', 'TLX_Basis/');
INSERT INTO Einstellung VALUES ('SoTblNam1', 'TLX_Kassette/');
INSERT INTO Einstellung VALUES ('SoTblNam2', 'TLX_Rollenschuh/');

-- Catalogue series.
-- Base: a1/a2 inner/outer bearing-row distance [mm], AnzR bearings per roller shoe,
-- C/Co dynamic/static load rating of four bearings [N], Ls length [mm], D bearing
-- diameter [mm], TypR N needle or K ball bearing.
-- Cassette: b1 supporting distance, h1 guide centre to top, B moment distance, Best
-- order number, KBs width, Kh9 overall height, KBF/Kh3 rail width/height [mm].
-- Roller shoe: b2 supporting point, h2 guide centre to top, B moment distance, Best
-- order number, KB1 width, Kh1 overall height, KBE/Kh3 rail width/height [mm].

-- TLS
CREATE TABLE TLS_Basis (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO TLS_Basis VALUES ('TLS', 12, 17.5, 41.0, 4, 2350, 1480, 58.0, 8.0, 'N');
INSERT INTO TLS_Basis VALUES ('TLS', 15, 21.0, 51.5, 4, 3620, 2310, 74.0, 10.0, 'N');
INSERT INTO TLS_Basis VALUES ('TLS', 20, 27.0, 67.0, 6, 7150, 4790, 98.0, 13.0, 'N');
INSERT INTO TLS_Basis VALUES ('TLS', 25, 33.5, 83.0, 6, 11400, 7820, 124.0, 16.0, 'N');
INSERT INTO TLS_Basis VALUES ('TLS', 35, 45.0, 115.0, 8, 20800, 14600, 168.0, 22.0, 'N');
INSERT INTO TLS_Basis VALUES ('TLS', 45, 59.0, 149.0, 8, 32900, 23400, 214.0, 28.0, 'N');
CREATE TABLE TLS_Kassette (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);
INSERT INTO TLS_Kassette VALUES ('KD12', 12, 14.5, 9.0, 26.5, 'KD12-058', 46, 19, 29, 7.0);
INSERT INTO TLS_Kassette VALUES ('KD15', 15, 18.0, 11.0, 33.0, 'KD15-074', 55, 24, 36, 9.0);
INSERT INTO TLS_Kassette VALUES ('KD20', 20, 24.0, 15.0, 44.0, 'KD20-098', 70, 32, 48, 12.0);
INSERT INTO TLS_Kassette VALUES ('KD25', 25, 30.0, 19.0, 55.0, 'KD25-124', 85, 40, 60, 15.0);
INSERT INTO TLS_Kassette VALUES ('KD35', 35, 42.0, 26.0, 77.0, 'KD35-168', 115, 56, 84, 21.0);
INSERT INTO TLS_Kassette VALUES ('KD45', 45, 54.0, 34.0, 99.0, 'KD45-214', 145, 72, 108, 27.0);
CREATE TABLE TLS_Rollenschuh (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);
INSERT INTO TLS_Rollenschuh VALUES ('RE12', 12, 6.5, 10.0, 18.0, 'RE12-058', 26, 17, 13, 7.0);
INSERT INTO TLS_Rollenschuh VALUES ('RE15', 15, 8.0, 13.0, 22.5, 'RE15-074', 31, 21, 16, 9.0);
INSERT INTO TLS_Rollenschuh VALUES ('RE20', 20, 11.0, 17.0, 30.0, 'RE20-098', 40, 28, 22, 12.0);
INSERT INTO TLS_Rollenschuh VALUES ('RE25', 25, 14.0, 21.0, 37.5, 'RE25-124', 49, 35, 28, 15.0);
INSERT INTO TLS_Rollenschuh VALUES ('RE35', 35, 19.0, 30.0, 52.5, 'RE35-168', 67, 49, 38, 21.0);

-- TLK
CREATE TABLE TLK_Basis (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO TLK_Basis VALUES ('TLK', 25, 30.0, 78.0, 4, 6800, 3900, 118.0, 15.0, 'K');
INSERT INTO TLK_Basis VALUES ('TLK', 35, 42.0, 108.0, 6, 12600, 7400, 160.0, 20.0, 'K');
INSERT INTO TLK_Basis VALUES ('TLK', 45, 55.0, 140.0, 6, 19800, 11800, 205.0, 26.0, 'K');
CREATE TABLE TLK_Kassette (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);
INSERT INTO TLK_Kassette VALUES ('KK25', 25, 31.5, 19.5, 58.0, 'KK25-118', 89, 42, 63, 16.0);
INSERT INTO TLK_Kassette VALUES ('KK35', 35, 44.0, 27.5, 81.0, 'KK35-160', 121, 59, 88, 22.0);
INSERT INTO TLK_Kassette VALUES ('KK45', 45, 56.5, 35.5, 104.0, 'KK45-205', 152, 76, 113, 28.5);
CREATE TABLE TLK_Rollenschuh (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);
INSERT INTO TLK_Rollenschuh VALUES ('RK25', 25, 14.5, 22.5, 39.5, 'RK25-118', 51, 37, 29, 16.0);
INSERT INTO TLK_Rollenschuh VALUES ('RK35', 35, 20.0, 31.0, 55.0, 'RK35-160', 70, 51, 40, 22.0);
INSERT INTO TLK_Rollenschuh VALUES ('RK45', 45, 26.0, 40.0, 71.0, 'RK45-205', 89, 66, 52, 28.5);

-- TLH
CREATE TABLE TLH_Basis (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO TLH_Basis VALUES ('TLH', 15, 20.0, 58.0, 6, 5400, 3600, 88.0, 10.0, 'N');
INSERT INTO TLH_Basis VALUES ('TLH', 20, 26.0, 76.0, 8, 10800, 7500, 116.0, 13.0, 'N');
INSERT INTO TLH_Basis VALUES ('TLH', 25, 32.0, 94.0, 8, 16900, 11900, 142.0, 16.0, 'N');
INSERT INTO TLH_Basis VALUES ('TLH', 35, 44.0, 130.0, 8, 30500, 21800, 192.0, 22.0, 'N');
INSERT INTO TLH_Basis VALUES ('TLH', 45, 58.0, 168.0, 8, 47600, 34200, 246.0, 28.0, 'N');
CREATE TABLE TLH_Kassette (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);
INSERT INTO TLH_Kassette VALUES ('KH15', 15, 20.0, 12.5, 36.5, 'KH15-088', 61, 26, 40, 10.0);
INSERT INTO TLH_Kassette VALUES ('KH20', 20, 26.5, 16.5, 48.5, 'KH20-116', 77, 35, 53, 13.0);
INSERT INTO TLH_Kassette VALUES ('KH25', 25, 33.0, 20.5, 60.5, 'KH25-142', 94, 44, 66, 16.5);
INSERT INTO TLH_Kassette VALUES ('KH35', 35, 46.0, 29.0, 84.5, 'KH35-192', 127, 62, 92, 23.0);
INSERT INTO TLH_Kassette VALUES ('KH45', 45, 59.5, 37.0, 109.0, 'KH45-246', 160, 79, 119, 29.5);
CREATE TABLE TLH_Rollenschuh (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);
INSERT INTO TLH_Rollenschuh VALUES ('RH15', 15, 9.0, 14.0, 25.0, 'RH15-088', 34, 23, 18, 10.0);
INSERT INTO TLH_Rollenschuh VALUES ('RH20', 20, 12.0, 18.5, 33.0, 'RH20-116', 44, 31, 24, 13.0);
INSERT INTO TLH_Rollenschuh VALUES ('RH25', 25, 15.0, 23.5, 41.0, 'RH25-142', 54, 38, 30, 16.5);
INSERT INTO TLH_Rollenschuh VALUES ('RH35', 35, 21.0, 32.5, 58.0, 'RH35-192', 74, 54, 42, 23.0);
INSERT INTO TLH_Rollenschuh VALUES ('RH45', 45, 27.0, 42.0, 74.0, 'RH45-246', 94, 69, 54, 29.5);

-- TLM
CREATE TABLE TLM_Basis (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO TLM_Basis VALUES ('TLM', 20, 40.0, 96.0, 4, 6900, 4500, 140.0, 13.0, 'N');
INSERT INTO TLM_Basis VALUES ('TLM', 25, 48.0, 116.0, 4, 10900, 7300, 170.0, 16.0, 'N');
INSERT INTO TLM_Basis VALUES ('TLM', 35, 64.0, 156.0, 6, 19900, 13800, 230.0, 22.0, 'N');
CREATE TABLE TLM_Kassette (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);
INSERT INTO TLM_Kassette VALUES ('LM20', 20, 30.0, 19.0, 55.0, 'LM20-140', 88, 40, 60, 15.0);
INSERT INTO TLM_Kassette VALUES ('LM25', 25, 37.5, 23.5, 69.0, 'LM25-170', 106, 50, 75, 19.0);
INSERT INTO TLM_Kassette VALUES ('LM35', 35, 52.5, 33.0, 96.0, 'LM35-230', 144, 70, 105, 26.0);
CREATE TABLE TLM_Rollenschuh (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);
INSERT INTO TLM_Rollenschuh VALUES ('LR20', 20, 14.0, 21.0, 37.5, 'LR20-140', 50, 35, 28, 15.0);
INSERT INTO TLM_Rollenschuh VALUES ('LR25', 25, 17.0, 26.5, 47.0, 'LR25-170', 61, 44, 34, 19.0);
INSERT INTO TLM_Rollenschuh VALUES ('LR35', 35, 24.0, 37.0, 65.5, 'LR35-230', 84, 61, 48, 26.0);

-- TLX
CREATE TABLE TLX_Basis (Serie TEXT, Gr INTEGER, a1 REAL, a2 REAL, AnzR INTEGER, C INTEGER, Co INTEGER, Ls REAL, D REAL, TypR TEXT);
INSERT INTO TLX_Basis VALUES ('TLX', 12, 16.0, 38.0, 4, 1600, 950, 56.0, 7.5, 'K');
INSERT INTO TLX_Basis VALUES ('TLX', 15, 20.0, 48.0, 4, 2450, 1480, 72.0, 9.0, 'K');
INSERT INTO TLX_Basis VALUES ('TLX', 20, 26.0, 63.0, 4, 4700, 2900, 95.0, 12.0, 'K');
INSERT INTO TLX_Basis VALUES ('TLX', 25, 32.0, 78.0, 6, 7600, 4700, 120.0, 15.0, 'K');
CREATE TABLE TLX_Kassette (Serie TEXT, Gr INTEGER, b1 REAL, h1 REAL, B REAL, Best TEXT, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);
INSERT INTO TLX_Kassette VALUES ('KX12', 12, 13.5, 8.5, 25.0, 'KX12-056', 44, 18, 27, 7.0);
INSERT INTO TLX_Kassette VALUES ('KX15', 15, 17.0, 10.5, 31.5, 'KX15-072', 52, 23, 34, 8.5);
INSERT INTO TLX_Kassette VALUES ('KX20', 20, 23.0, 14.0, 42.0, 'KX20-095', 66, 30, 46, 11.5);
INSERT INTO TLX_Kassette VALUES ('KX25', 25, 28.5, 18.0, 52.5, 'KX25-120', 81, 38, 57, 14.0);
CREATE TABLE TLX_Rollenschuh (Serie TEXT, Gr INTEGER, b2 REAL, h2 REAL, B REAL, Best TEXT, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);
INSERT INTO TLX_Rollenschuh VALUES ('RX12', 12, 6.5, 9.5, 17.0, 'RX12-056', 24, 16, 13, 7.0);
INSERT INTO TLX_Rollenschuh VALUES ('RX15', 15, 8.0, 12.0, 21.5, 'RX15-072', 29, 20, 16, 8.5);
INSERT INTO TLX_Rollenschuh VALUES ('RX20', 20, 10.5, 16.0, 28.5, 'RX20-095', 38, 27, 21, 11.5);
INSERT INTO TLX_Rollenschuh VALUES ('RX25', 25, 13.0, 20.0, 35.5, 'RX25-120', 47, 33, 26, 14.0);

-- Sales representatives.
CREATE TABLE Vertreter (Name TEXT, Street TEXT, Town TEXT, Telefon TEXT, Telefax TEXT, EMail TEXT);
INSERT INTO Vertreter VALUES ('Nordlicht Antriebstechnik GmbH', 'Kaistraße 12', 'Hamburg', '+49 40 5550 1210', '+49 40 5550 1219', 'hamburg@example.com');
INSERT INTO Vertreter VALUES ('Linearsysteme Bauer KG', 'Gewerbering 7', 'München', '+49 89 5550 3370', '+49 89 5550 3379', 'muenchen@example.com');
INSERT INTO Vertreter VALUES ('Schwabentechnik Roller & Co.', 'Neckarweg 41', 'Stuttgart', '+49 711 5550 880', '+49 711 5550 889', 'stuttgart@example.com');
INSERT INTO Vertreter VALUES ('Donau Lineartechnik GesmbH', 'Handelskai 88', 'Wien', '+43 1 5550 4400', '+43 1 5550 4409', 'wien@example.com');
INSERT INTO Vertreter VALUES ('Helvetia Führungen AG', 'Industriestrasse 3', 'Zürich', '+41 44 555 12 30', '+41 44 555 12 39', 'zuerich@example.com');

-- Information about this catalogue.
CREATE TABLE Info (Name TEXT, Version REAL, Author TEXT, Telefon TEXT, EMail TEXT);
INSERT INTO Info VALUES ('Katalog Aluminium-Rollenführungen', 2.5, 'Anwendungstechnik Linearführungen', '+49 6221 5550 100', 'katalog@example.com');

-- Predefined special series, joined on IDNr.
CREATE TABLE FNSonder (IDNr INTEGER PRIMARY KEY, Serie TEXT, Gr INTEGER, C INTEGER, Co INTEGER, D REAL, a1 REAL, a2 REAL, Ls REAL, AnzR INTEGER, TypR TEXT);
INSERT INTO FNSonder VALUES (1, 'TLS-L', 25, 16200, 11700, 16.0, 33.5, 121.0, 180.0, 8, 'N');
INSERT INTO FNSonder VALUES (2, 'TLS-V', 35, 27400, 19900, 22.0, 45.0, 115.0, 168.0, 8, 'N');
INSERT INTO FNSonder VALUES (3, 'TLK-S', 20, 3900, 2200, 12.0, 24.0, 58.0, 84.0, 4, 'K');
INSERT INTO FNSonder VALUES (4, 'TLK-L', 25, 9700, 5800, 15.0, 30.0, 112.5, 166.0, 6, 'K');
CREATE TABLE FDSonder (IDNr INTEGER PRIMARY KEY, Best TEXT, b1 REAL, B REAL, h1 REAL, KBs REAL, Kh9 REAL, KBF REAL, Kh3 REAL);
INSERT INTO FDSonder VALUES (1, 'KD25L-180', 30.0, 55.0, 19.0, 85.0, 40.0, 60.0, 15.0);
INSERT INTO FDSonder VALUES (2, 'KD35V-168', 42.0, 80.5, 27.5, 118.0, 58.0, 84.0, 21.0);
INSERT INTO FDSonder VALUES (3, 'KK20S-084', 25.0, 46.0, 15.5, 72.0, 33.0, 50.0, 12.5);
INSERT INTO FDSonder VALUES (4, 'KK25L-166', 31.5, 58.0, 19.5, 89.0, 42.0, 63.0, 16.0);
CREATE TABLE FESonder (IDNr INTEGER PRIMARY KEY, Best TEXT, b2 REAL, B REAL, h2 REAL, KB1 REAL, Kh1 REAL, KBE REAL, Kh3 REAL);
INSERT INTO FESonder VALUES (1, 'RE25L-180', 14.0, 37.5, 21.0, 49.0, 35.0, 28.0, 15.0);
INSERT INTO FESonder VALUES (2, 'RE35V-168', 19.0, 54.0, 30.5, 68.0, 50.0, 38.0, 21.0);
INSERT INTO FESonder VALUES (3, 'RK20S-084', 11.5, 31.5, 18.0, 42.0, 29.0, 23.0, 12.5);
INSERT INTO FESonder VALUES (4, 'RK25L-166', 14.5, 39.5, 22.5, 51.0, 37.0, 29.0, 16.0);
