-- Tarnex database: the eight base tables, their indexes and the seven saved queries (views).
-- Text columns use the POLISH collation (Polish alphabetical order, case-insensitive), which the
-- program registers on every connection; the database is built by tarnex_makedb, which does too.
-- Types: INTEGER, FLOAT (double), TEXT(n), DATE (ISO text yyyy-MM-dd), BOOLEAN (0/1).

CREATE TABLE Faktura (
    Id                       INTEGER PRIMARY KEY AUTOINCREMENT,
    Typ                      TEXT(4)   COLLATE POLISH,
    Rok                      TEXT(4)   COLLATE POLISH,
    Nr                       INTEGER,
    Data_Wyst                DATE,
    Data_Sprzedarzy          TEXT(50)  COLLATE POLISH,
    Miejsce_Wyst             TEXT(50)  COLLATE POLISH,
    Forma_Zaplaty            INTEGER,
    Ilosc_Dni                INTEGER,
    Data_Zaplaty             DATE,
    Netto_Brutto             TEXT(6)   COLLATE POLISH,
    Waluta                   TEXT(3)   COLLATE POLISH,
    Wart_Netto               FLOAT,
    Wart_Brutto              FLOAT,
    Wart_Netto_Eu            FLOAT NOT NULL DEFAULT 0,
    Wart_Brutto_Eu           FLOAT NOT NULL DEFAULT 0,
    Uwagi                    TEXT(255) COLLATE POLISH,
    Klient_Nr                TEXT(10)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko    TEXT(75)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko_cd TEXT(75)  COLLATE POLISH,
    Klient_Adres             TEXT(50)  COLLATE POLISH,
    Klient_Kod               TEXT(15)  COLLATE POLISH,
    Klient_Miasto            TEXT(30)  COLLATE POLISH,
    Klient_Nip               TEXT(16)  COLLATE POLISH,
    Klient_Czy_Firma         BOOLEAN NOT NULL DEFAULT 0,
    Czy_Korekta              BOOLEAN NOT NULL DEFAULT 0,
    Czy_Duplikat             BOOLEAN NOT NULL DEFAULT 0,
    Data_Duplikatu           DATE,
    Typ_Koncowy              TEXT(4)   COLLATE POLISH,
    Rok_Koncowy              TEXT(4)   COLLATE POLISH,
    Nr_Koncowy               INTEGER,
    Nr_Z_Fakt                INTEGER,
    Rok_Z_Fakt               TEXT(4)   COLLATE POLISH,
    Id_Z_Fakt                INTEGER,
    Id_Fakt_Skoryg           INTEGER
);
CREATE UNIQUE INDEX ix_Faktura_Typ_Rok_Nr ON Faktura (Typ, Rok, Nr);
CREATE INDEX ix_Faktura_Koncowa ON Faktura (Typ_Koncowy, Rok_Koncowy, Nr_Koncowy);
CREATE INDEX ix_Faktura_Rok ON Faktura (Rok);
-- The year list: the documents of one year in the list's order (type, number), so that a list
-- read on between the user's actions finds its place at once.
CREATE INDEX ix_Faktura_Rok_Typ_Nr ON Faktura (Rok, Typ, Nr);
-- The lists' "Rok>0" compares the year as a number; counted as all rows less those it leaves
-- out, which this index finds. SQLite matches the expression as written: "AS NUMERIC" in capitals,
-- as the filters write it.
CREATE INDEX ix_Faktura_Rok_Liczba ON Faktura (CAST(Rok AS NUMERIC));
CREATE INDEX ix_Faktura_Data_Wyst ON Faktura (Data_Wyst);

CREATE TABLE Faktura_Szczegoly (
    Id                       INTEGER PRIMARY KEY AUTOINCREMENT,
    Id_Fakt                  INTEGER,
    Lp                       INTEGER,
    Towary_Symbol            TEXT(20)  COLLATE POLISH,
    Towary_Nazwa             TEXT(40)  COLLATE POLISH,
    Towary_Nazwa_cd          TEXT(40)  COLLATE POLISH,
    PKWiU                    TEXT(20)  COLLATE POLISH,
    Jm                       TEXT      COLLATE POLISH,
    Ilosc                    FLOAT,
    Towary_Cena              FLOAT,
    Towary_Cena_Brutto       FLOAT,
    Rabat                    FLOAT,
    Towary_Vat_Opis          TEXT(10)  COLLATE POLISH,
    Towary_Vat_Wart          FLOAT,
    Wartosc_Netto            FLOAT,
    Kwota_Vat                FLOAT,
    Wartosc_Brutto           FLOAT,
    Towary_Cena_Eu           FLOAT NOT NULL DEFAULT 0,
    Wartosc_Netto_Eu         FLOAT NOT NULL DEFAULT 0,
    Kwota_Vat_Eu             FLOAT NOT NULL DEFAULT 0,
    Wartosc_Brutto_Eu        FLOAT NOT NULL DEFAULT 0,
    Waluta                   TEXT(3)   COLLATE POLISH,
    Faktura_Typ              TEXT(5)   COLLATE POLISH,
    Faktura_Nr               INTEGER,
    Faktura_Rok              INTEGER,
    Faktura_Data_Wyst        DATE,
    Klient_Nr                TEXT(10)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko    TEXT(75)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko_cd TEXT(75)  COLLATE POLISH,
    Klient_Nip               TEXT(16)  COLLATE POLISH,
    Faktura_Nr_Koncowy       INTEGER,
    Faktura_Rok_Koncowy      INTEGER,
    Lp_Koncowe               INTEGER,
    Czy_Korekta              BOOLEAN NOT NULL DEFAULT 0,
    Id_Z_Fakt                INTEGER,
    Lp_Z_Fakt                INTEGER,
    Nr_Z_Fakt                INTEGER,
    Id_Pozyc_Skoryg          INTEGER
);
CREATE INDEX ix_Faktura_Szczegoly_Fakt ON Faktura_Szczegoly (Id_Fakt, Lp);
CREATE INDEX ix_Faktura_Szczegoly_Koncowa ON Faktura_Szczegoly (Faktura_Nr_Koncowy, Faktura_Rok_Koncowy, Lp_Koncowe);
-- The sales statements sum a client's or an item's lines on every move of their cursor: these two
-- indexes hold the amounts, so a sum reads the index alone.
CREATE INDEX ix_Faktura_Szczegoly_Klient ON Faktura_Szczegoly (Klient_Nr, Faktura_Data_Wyst, Wartosc_Netto, Wartosc_Brutto);
CREATE INDEX ix_Faktura_Szczegoly_Towar ON Faktura_Szczegoly (Towary_Symbol, Faktura_Typ, Faktura_Rok, Faktura_Nr);
CREATE INDEX ix_Faktura_Szczegoly_Towar_Suma ON Faktura_Szczegoly (Towary_Symbol, Faktura_Data_Wyst, Ilosc, Wartosc_Netto, Wartosc_Brutto);
CREATE INDEX ix_Faktura_Szczegoly_Data ON Faktura_Szczegoly (Faktura_Data_Wyst);
-- The goods sales report reads an item's lines of a period in date order from this one.
CREATE INDEX ix_Faktura_Szczegoly_Towar_Data ON Faktura_Szczegoly (Towary_Symbol, Faktura_Data_Wyst);

CREATE TABLE Pozycje_Skorygowane (
    Id                       INTEGER PRIMARY KEY AUTOINCREMENT,
    Id_Fakt                  INTEGER,
    Lp                       INTEGER,
    Lp_Z_Fakt                INTEGER,
    Towary_Symbol            TEXT(20)  COLLATE POLISH,
    Towary_Nazwa             TEXT(40)  COLLATE POLISH,
    Towary_Nazwa_cd          TEXT(40)  COLLATE POLISH,
    PKWiU                    TEXT(20)  COLLATE POLISH,
    Ilosc                    FLOAT,
    Jm                       TEXT      COLLATE POLISH,
    Towary_Cena              FLOAT,
    Towary_Cena_Brutto       FLOAT,
    Towary_Vat_Opis          TEXT(10)  COLLATE POLISH,
    Towary_Vat_Wart          FLOAT,
    Rabat                    FLOAT,
    Wartosc_Netto            FLOAT,
    Kwota_Vat                FLOAT,
    Wartosc_Brutto           FLOAT,
    Towary_Cena_Eu           FLOAT NOT NULL DEFAULT 0,
    Wartosc_Netto_Eu         FLOAT NOT NULL DEFAULT 0,
    Kwota_Vat_Eu             FLOAT NOT NULL DEFAULT 0,
    Wartosc_Brutto_Eu        FLOAT NOT NULL DEFAULT 0,
    Waluta                   TEXT(3)   COLLATE POLISH,
    Faktura_Typ              TEXT(5)   COLLATE POLISH,
    Faktura_Nr               INTEGER,
    Faktura_Rok              INTEGER,
    Faktura_Data_Wyst        DATE,
    Klient_Nr                TEXT(10)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko    TEXT(75)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko_cd TEXT(75)  COLLATE POLISH,
    Klient_Nip               TEXT(16)  COLLATE POLISH,
    Nr_Z_Fakt                INTEGER,
    Id_Z_Fakt                INTEGER
);
CREATE INDEX ix_Pozycje_Skorygowane_Fakt ON Pozycje_Skorygowane (Id_Fakt, Lp);

CREATE TABLE Faktury_Skorygowane (
    Id                       INTEGER PRIMARY KEY AUTOINCREMENT,
    Typ                      TEXT(4)   COLLATE POLISH,
    Nr                       INTEGER,
    Rok                      TEXT(4)   COLLATE POLISH,
    Data_Wyst                DATE,
    Data_Sprzedarzy          TEXT(50)  COLLATE POLISH,
    Miejsce_Wyst             TEXT(50)  COLLATE POLISH,
    Klient_Nr                TEXT(10)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko    TEXT(75)  COLLATE POLISH,
    Klient_Nazwa_Nazwisko_cd TEXT(75)  COLLATE POLISH,
    Klient_Czy_Firma         BOOLEAN NOT NULL DEFAULT 0,
    Klient_Nip               TEXT(16)  COLLATE POLISH,
    Klient_Kod               TEXT(15)  COLLATE POLISH,
    Klient_Miasto            TEXT(30)  COLLATE POLISH,
    Klient_Adres             TEXT(50)  COLLATE POLISH,
    Nr_Z_Fakt                INTEGER,
    Rok_Z_Fakt               TEXT(4)   COLLATE POLISH,
    Id_Z_Fakt                INTEGER,
    Forma_Zaplaty            INTEGER,
    Ilosc_Dni                INTEGER,
    Data_Zaplaty             DATE,
    Wart_Netto               FLOAT,
    Wart_Brutto              FLOAT,
    Typ_Koncowy              TEXT(4)   COLLATE POLISH,
    Rok_Koncowy              TEXT(4)   COLLATE POLISH,
    Nr_Koncowy               INTEGER,
    Netto_Brutto             TEXT(6)   COLLATE POLISH
);
CREATE INDEX ix_Faktury_Skorygowane_Z_Fakt ON Faktury_Skorygowane (Id_Z_Fakt);

CREATE TABLE Klienci (
    Nr_Klienta               TEXT(10)  COLLATE POLISH,
    Nazwa_Nazwisko           TEXT(75)  COLLATE POLISH,
    Nazwa_Nazwisko_cd        TEXT(75)  COLLATE POLISH,
    NIP                      TEXT(16)  COLLATE POLISH,
    Kod                      TEXT(15)  COLLATE POLISH,
    Miasto                   TEXT(30)  COLLATE POLISH,
    Adres                    TEXT(50)  COLLATE POLISH,
    Tel                      TEXT(50)  COLLATE POLISH,
    Czy_Firma                BOOLEAN NOT NULL DEFAULT 0,
    Uwagi                    TEXT(255) COLLATE POLISH
);
CREATE INDEX ix_Klienci_Nr ON Klienci (Nr_Klienta);
CREATE INDEX ix_Klienci_Nazwa ON Klienci (Nazwa_Nazwisko);
CREATE INDEX ix_Klienci_NIP ON Klienci (NIP);

CREATE TABLE Towary (
    Symbol                   TEXT(20)  COLLATE POLISH,
    Nazwa                    TEXT(40)  COLLATE POLISH,
    Nazwa_cd                 TEXT(40)  COLLATE POLISH,
    PKWIU                    TEXT(20)  COLLATE POLISH,
    Jm                       TEXT      COLLATE POLISH,
    Vat_Opis                 TEXT(10)  COLLATE POLISH,
    Vat_Wart                 FLOAT,
    Cena_Netto_Zak           FLOAT,
    Cena_Netto_Sprz          FLOAT,
    Cena_Brutto_Sprz         FLOAT,
    Cena_Netto_Zak_Eu        FLOAT NOT NULL DEFAULT 0,
    Cena_Netto_Sprz_Eu       FLOAT NOT NULL DEFAULT 0,
    Waluta                   TEXT(3)   COLLATE POLISH,
    Uwagi                    TEXT(80)  COLLATE POLISH,
    Arch                     BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX ix_Towary_Symbol ON Towary (Symbol);
CREATE INDEX ix_Towary_Nazwa ON Towary (Nazwa);

CREATE TABLE Vat (
    Nazwa                    TEXT(10)  COLLATE POLISH,
    Wart                     INTEGER,
    Czy_Podst                BOOLEAN NOT NULL DEFAULT 0,
    Arch                     BOOLEAN NOT NULL DEFAULT 0
);
CREATE INDEX ix_Vat_Nazwa ON Vat (Nazwa);

CREATE TABLE Forma_Zaplaty (
    Id                       INTEGER PRIMARY KEY AUTOINCREMENT,
    Nazwa                    TEXT(20)  COLLATE POLISH,
    Opis                     TEXT(50)  COLLATE POLISH
);

-- Saved queries. Column names are the ones their readers bind, qualified names included.

-- Documents with the payment kind's name; Rok is the document's year text, which the filter
-- layer compares with a bare year (Rok=2011, Rok>0).
CREATE VIEW Faktura_Kwerenda AS
SELECT f.Id, f.Typ, f.Rok, f.Nr, f.Data_Wyst, f.Data_Sprzedarzy, f.Data_Zaplaty,
       f.Klient_Nr, f.Klient_Nazwa_Nazwisko, f.Klient_Nazwa_Nazwisko_cd, f.Klient_Adres,
       f.Klient_Kod, f.Klient_Miasto, f.Klient_Nip, f.Netto_Brutto, f.Wart_Netto, f.Wart_Brutto,
       f.Nr_Z_Fakt, f.Rok_Z_Fakt, f.Czy_Korekta, f.Czy_Duplikat, f.Data_Duplikatu, z.Nazwa
FROM Faktura f LEFT JOIN Forma_Zaplaty z ON z.Id = f.Forma_Zaplaty;

CREATE VIEW Faktura_Rok AS
SELECT DISTINCT Rok AS "Rok Pole" FROM Faktura WHERE Rok IS NOT NULL AND Rok <> '' ORDER BY Rok;

CREATE VIEW Kwerenda_Faktura_Poprawa AS
SELECT f.Id AS "Faktura.Id", f.Typ, f.Rok, f.Nr, f.Data_Wyst, f.Data_Sprzedarzy, f.Miejsce_Wyst,
       f.Forma_Zaplaty, f.Ilosc_Dni, f.Data_Zaplaty, f.Netto_Brutto, f.Waluta, f.Wart_Netto,
       f.Wart_Brutto, f.Wart_Netto_Eu, f.Wart_Brutto_Eu, f.Uwagi, f.Klient_Nr,
       f.Klient_Nazwa_Nazwisko, f.Klient_Nazwa_Nazwisko_cd, f.Klient_Adres, f.Klient_Kod,
       f.Klient_Miasto, f.Klient_Nip, f.Klient_Czy_Firma, f.Czy_Korekta, f.Czy_Duplikat,
       f.Data_Duplikatu, f.Typ_Koncowy, f.Rok_Koncowy, f.Nr_Koncowy, f.Nr_Z_Fakt, f.Rok_Z_Fakt,
       f.Id_Z_Fakt, f.Id_Fakt_Skoryg, z.Nazwa
FROM Faktura f LEFT JOIN Forma_Zaplaty z ON z.Id = f.Forma_Zaplaty
-- Only invoices that are still their own final view and carry no correction may be edited:
-- editing a corrected or noted invoice would break the correction's or note's rows.
WHERE f.Typ = 'FV' AND f.Czy_Korekta = 0 AND f.Typ_Koncowy = 'FV' AND f.Nr_Koncowy = f.Nr
  AND f.Rok_Koncowy = f.Rok;

-- A correction note (new buyer data in Faktura) with its before-image (old buyer data).
CREATE VIEW Kwerenda_Nota AS
SELECT f.Id, f.Typ, f.Nr, f.Rok, f.Nr_Z_Fakt, f.Rok_Z_Fakt, f.Miejsce_Wyst, f.Data_Wyst, f.Uwagi,
       f.Id AS "Faktura.Id", f.Typ AS "Faktura.Typ", f.Nr AS "Faktura.Nr", f.Rok AS "Faktura.Rok",
       f.Data_Wyst AS "Faktura.Data_Wyst", f.Data_Sprzedarzy AS "Faktura.Data_Sprzedarzy",
       f.Miejsce_Wyst AS "Faktura.Miejsce_Wyst", f.Klient_Nr AS "Faktura.Klient_Nr",
       f.Klient_Nazwa_Nazwisko AS "Faktura.Klient_Nazwa_Nazwisko",
       f.Klient_Nazwa_Nazwisko_cd AS "Faktura.Klient_Nazwa_Nazwisko_cd",
       f.Klient_Adres AS "Faktura.Klient_Adres", f.Klient_Kod AS "Faktura.Klient_Kod",
       f.Klient_Miasto AS "Faktura.Klient_Miasto", f.Klient_Nip AS "Faktura.Klient_Nip",
       f.Klient_Czy_Firma AS "Faktura.Klient_Czy_Firma", f.Uwagi AS "Faktura.Uwagi",
       f.Nr_Z_Fakt AS "Faktura.Nr_Z_Fakt", f.Rok_Z_Fakt AS "Faktura.Rok_Z_Fakt",
       f.Id_Z_Fakt AS "Faktura.Id_Z_Fakt", f.Netto_Brutto AS "Faktura.Netto_Brutto",
       s.Id AS "Faktury_Skorygowane.Id", s.Typ AS "Faktury_Skorygowane.Typ",
       s.Nr AS "Faktury_Skorygowane.Nr", s.Rok AS "Faktury_Skorygowane.Rok",
       s.Data_Wyst AS "Faktury_Skorygowane.Data_Wyst",
       s.Data_Sprzedarzy AS "Faktury_Skorygowane.Data_Sprzedarzy",
       s.Miejsce_Wyst AS "Faktury_Skorygowane.Miejsce_Wyst",
       s.Klient_Nr AS "Faktury_Skorygowane.Klient_Nr",
       s.Klient_Nazwa_Nazwisko AS "Faktury_Skorygowane.Klient_Nazwa_Nazwisko",
       s.Klient_Nazwa_Nazwisko_cd AS "Faktury_Skorygowane.Klient_Nazwa_Nazwisko_cd",
       s.Klient_Czy_Firma AS "Faktury_Skorygowane.Klient_Czy_Firma",
       s.Klient_Nip AS "Faktury_Skorygowane.Klient_Nip",
       s.Klient_Kod AS "Faktury_Skorygowane.Klient_Kod",
       s.Klient_Miasto AS "Faktury_Skorygowane.Klient_Miasto",
       s.Klient_Adres AS "Faktury_Skorygowane.Klient_Adres",
       s.Nr_Z_Fakt AS "Faktury_Skorygowane.Nr_Z_Fakt", s.Rok_Z_Fakt AS "Faktury_Skorygowane.Rok_Z_Fakt",
       s.Id_Z_Fakt AS "Faktury_Skorygowane.Id_Z_Fakt"
FROM Faktura f LEFT JOIN Faktury_Skorygowane s ON s.Id = f.Id_Fakt_Skoryg
WHERE f.Typ = 'NFV';

-- Each new line of a correction invoice with the old line it replaced (never the reversal line).
-- Lp_Z_Fakt is the line's place on the corrected invoice: the new line's Lp_Koncowe, which a later
-- correction of that line leaves as it is (it clears the line's own Lp_Z_Fakt).
CREATE VIEW Korekta_Faktury AS
SELECT n.Id_Fakt, coalesce(n.Lp_Koncowe, n.Lp_Z_Fakt) AS Lp_Z_Fakt,
       n.Id AS "Faktura_Szczegoly.Id", n.Id_Fakt AS "Faktura_Szczegoly.Id_Fakt",
       n.Lp AS "Faktura_Szczegoly.Lp", n.Towary_Symbol AS "Faktura_Szczegoly.Towary_Symbol",
       n.Towary_Nazwa AS "Faktura_Szczegoly.Towary_Nazwa",
       n.Towary_Nazwa_cd AS "Faktura_Szczegoly.Towary_Nazwa_cd", n.PKWiU AS "Faktura_Szczegoly.PKWiU",
       n.Jm AS "Faktura_Szczegoly.Jm", n.Ilosc AS "Faktura_Szczegoly.Ilosc",
       n.Towary_Cena AS "Faktura_Szczegoly.Towary_Cena",
       n.Towary_Cena_Brutto AS "Faktura_Szczegoly.Towary_Cena_Brutto",
       n.Rabat AS "Faktura_Szczegoly.Rabat", n.Towary_Vat_Opis AS "Faktura_Szczegoly.Towary_Vat_Opis",
       n.Towary_Vat_Wart AS "Faktura_Szczegoly.Towary_Vat_Wart",
       n.Wartosc_Netto AS "Faktura_Szczegoly.Wartosc_Netto", n.Kwota_Vat AS "Faktura_Szczegoly.Kwota_Vat",
       n.Wartosc_Brutto AS "Faktura_Szczegoly.Wartosc_Brutto", n.Waluta AS "Faktura_Szczegoly.Waluta",
       n.Faktura_Typ AS "Faktura_Szczegoly.Faktura_Typ", n.Faktura_Nr AS "Faktura_Szczegoly.Faktura_Nr",
       n.Faktura_Rok AS "Faktura_Szczegoly.Faktura_Rok",
       n.Lp_Koncowe AS "Faktura_Szczegoly.Lp_Koncowe", n.Lp_Z_Fakt AS "Faktura_Szczegoly.Lp_Z_Fakt",
       n.Nr_Z_Fakt AS "Faktura_Szczegoly.Nr_Z_Fakt", n.Id_Z_Fakt AS "Faktura_Szczegoly.Id_Z_Fakt",
       n.Id_Pozyc_Skoryg AS "Faktura_Szczegoly.Id_Pozyc_Skoryg",
       p.Id AS "Pozycje_Skorygowane.Id", p.Id_Fakt AS "Pozycje_Skorygowane.Id_Fakt",
       p.Lp AS "Pozycje_Skorygowane.Lp", p.Lp_Z_Fakt AS "Pozycje_Skorygowane.Lp_Z_Fakt",
       p.Towary_Symbol AS "Pozycje_Skorygowane.Towary_Symbol",
       p.Towary_Nazwa AS "Pozycje_Skorygowane.Towary_Nazwa",
       p.Towary_Nazwa_cd AS "Pozycje_Skorygowane.Towary_Nazwa_cd",
       p.PKWiU AS "Pozycje_Skorygowane.PKWiU", p.Ilosc AS "Pozycje_Skorygowane.Ilosc",
       p.Jm AS "Pozycje_Skorygowane.Jm", p.Towary_Cena AS "Pozycje_Skorygowane.Towary_Cena",
       p.Towary_Cena_Brutto AS "Pozycje_Skorygowane.Towary_Cena_Brutto",
       p.Towary_Vat_Opis AS "Pozycje_Skorygowane.Towary_Vat_Opis",
       p.Towary_Vat_Wart AS "Pozycje_Skorygowane.Towary_Vat_Wart", p.Rabat AS "Pozycje_Skorygowane.Rabat",
       p.Wartosc_Netto AS "Pozycje_Skorygowane.Wartosc_Netto",
       p.Kwota_Vat AS "Pozycje_Skorygowane.Kwota_Vat",
       p.Wartosc_Brutto AS "Pozycje_Skorygowane.Wartosc_Brutto",
       p.Nr_Z_Fakt AS "Pozycje_Skorygowane.Nr_Z_Fakt", p.Id_Z_Fakt AS "Pozycje_Skorygowane.Id_Z_Fakt"
FROM Faktura_Szczegoly n JOIN Pozycje_Skorygowane p ON p.Id = n.Id_Pozyc_Skoryg
WHERE n.Faktura_Typ = 'KFV' AND n.Id_Pozyc_Skoryg IS NOT NULL AND n.Id_Pozyc_Skoryg <> 0;

-- Every line of every client (corrected, reversal and new lines alike), rows of one client together
-- (by client, then by issue date and line; Id_Pozycji is the line's Id, for a reader that orders
-- the rows itself). A period of any length is read in the order of the index on the lines' client
-- and date, without sorting.
CREATE VIEW Klient_Sprzedaz AS
SELECT k.Nr_Klienta, k.Nazwa_Nazwisko, k.NIP, k.Kod, k.Miasto, k.Adres,
       s.Faktura_Typ, s.Faktura_Nr, s.Faktura_Rok, s.Faktura_Data_Wyst, s.Towary_Symbol,
       s.Towary_Nazwa, s.PKWiU, s.Jm, s.Ilosc, s.Towary_Cena, s.Towary_Cena_Brutto, s.Rabat,
       s.Wartosc_Netto, s.Towary_Vat_Opis, s.Kwota_Vat, s.Wartosc_Brutto, s.Id AS Id_Pozycji
FROM Klienci k JOIN Faktura_Szczegoly s ON s.Klient_Nr = k.Nr_Klienta
ORDER BY k.Nr_Klienta, s.Faktura_Data_Wyst, s.Id;

-- Every line of every goods item, rows of one item together (by symbol, then by issue date and
-- line; Id_Pozycji as above), read in the order of the index on the lines' symbol and date.
CREATE VIEW Towary_Sprzedaz AS
SELECT t.Symbol, t.Nazwa, t.PKWIU, t.Jm AS "Towary.Jm", t.Cena_Netto_Zak, t.Cena_Netto_Sprz,
       t.Vat_Opis, s.Jm AS "Faktura_Szczegoly.Jm", s.Faktura_Typ, s.Faktura_Nr, s.Faktura_Rok,
       s.Faktura_Data_Wyst, s.Klient_Nr, s.Klient_Nazwa_Nazwisko, s.Klient_Nip, s.Towary_Cena,
       s.Towary_Cena_Brutto, s.Ilosc, s.Rabat, s.Wartosc_Netto, s.Towary_Vat_Opis, s.Kwota_Vat,
       s.Wartosc_Brutto, s.Id AS Id_Pozycji
FROM Towary t JOIN Faktura_Szczegoly s ON s.Towary_Symbol = t.Symbol
ORDER BY t.Symbol, s.Faktura_Data_Wyst, s.Id;
