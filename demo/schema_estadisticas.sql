-- Statistics database TS_ESTADISTICAS: the suite keeps some settings here, read and written through
-- its own connection (the command time-out "TimeOut", among others). Same conventions as the main
-- database: text columns compare without regard to case.

CREATE TABLE ta_configuracion (
    Clave VARCHAR(60) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Valor VARCHAR(255) COLLATE NOCASE_RTRIM,
    ValorAux VARCHAR(255) COLLATE NOCASE_RTRIM,
    Grupo VARCHAR(30) COLLATE NOCASE_RTRIM,
    PoliticaNegocio BOOLEAN DEFAULT 0
);

INSERT INTO ta_configuracion (Clave, Valor, ValorAux, Grupo, PoliticaNegocio)
VALUES ('TIMEOUT', '300', NULL, 'BaseDeDatos', 0);
