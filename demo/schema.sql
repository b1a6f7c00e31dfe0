-- Main database of the demo: the objects the cheque printer and its lookups read and write.
--
-- Conventions (the suite's production engine compares text without regard to case, so this schema
-- must too):
--   * every text column is declared COLLATE NOCASE_RTRIM; views select plain column references, which
--     keep the collation of the column they come from;
--   * dates are ISO texts 'YYYY-MM-DD' in columns declared DATE, timestamps 'YYYY-MM-DD HH:MM:SS'
--     in columns declared DATETIME, so that comparisons with 'YYYY-MM-DD' literals work;
--   * money is NUMERIC(18,2); flags are BOOLEAN 0/1;
--   * VARCHAR(n) carries the defined size that the lookup window sizes its columns by.
--
-- The generator runs the statements up to the line "-- @indexes" before loading the data and the
-- rest after it, so that those indexes are built once, sorted, instead of row by row.

-- Chart of accounts: banks (TIPOVISTA 'BC'), cash (CJ), suppliers (PR), clients (CL), taxes (IV),
-- expenses (GA), titles (TI). MedioDePago 'CH' marks the accounts that issue cheques.
CREATE TABLE MA_CUENTAS (
    IdCuenta INTEGER PRIMARY KEY,
    Codigo VARCHAR(15) COLLATE NOCASE_RTRIM NOT NULL UNIQUE,
    CodigoOpcional VARCHAR(15) COLLATE NOCASE_RTRIM,
    Descripcion VARCHAR(80) COLLATE NOCASE_RTRIM NOT NULL,
    Nivel INTEGER NOT NULL,
    Imputable BOOLEAN NOT NULL DEFAULT 1,
    TIPOVISTA VARCHAR(2) COLLATE NOCASE_RTRIM NOT NULL,
    MedioDePago VARCHAR(2) COLLATE NOCASE_RTRIM,
    IdBanco VARCHAR(3) COLLATE NOCASE_RTRIM,
    NumeroCuentaBancaria VARCHAR(30) COLLATE NOCASE_RTRIM,
    CBU VARCHAR(22) COLLATE NOCASE_RTRIM,
    Moneda VARCHAR(3) COLLATE NOCASE_RTRIM NOT NULL DEFAULT 'PES',
    Confidencial BOOLEAN NOT NULL DEFAULT 0,
    FECHAHORA_GRABACION DATETIME
);
CREATE INDEX IX_MA_CUENTAS_CODIGOOPCIONAL ON MA_CUENTAS (CodigoOpcional);

-- Payment data of an account: the payee printed on its cheques.
CREATE TABLE ma_cuentasadic (
    codigo VARCHAR(15) COLLATE NOCASE_RTRIM PRIMARY KEY,
    datospago VARCHAR(120) COLLATE NOCASE_RTRIM,
    CBU VARCHAR(22) COLLATE NOCASE_RTRIM,
    EmailPagos VARCHAR(80) COLLATE NOCASE_RTRIM,
    Observaciones VARCHAR(120) COLLATE NOCASE_RTRIM
);

CREATE TABLE TA_BANCOS (
    IdBanco VARCHAR(3) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(80) COLLATE NOCASE_RTRIM NOT NULL,
    CUIT VARCHAR(13) COLLATE NOCASE_RTRIM
);

-- Chequebooks: one row per series and number range of a bank account. NUMERO_DESDE and
-- NUMERO_HASTA are the first and the last usable number.
CREATE TABLE TA_CHEQUERAS (
    IdChequera INTEGER PRIMARY KEY,
    IdBanco VARCHAR(3) COLLATE NOCASE_RTRIM NOT NULL REFERENCES TA_BANCOS (IdBanco),
    CuentaBancoDiferido VARCHAR(15) COLLATE NOCASE_RTRIM NOT NULL,
    Serie VARCHAR(1) COLLATE NOCASE_RTRIM NOT NULL,
    Numero_Desde INTEGER NOT NULL,
    Numero_Hasta INTEGER NOT NULL,
    Fecha_Recepcion DATE,
    CHECK (Numero_Desde <= Numero_Hasta)
);
CREATE INDEX IX_TA_CHEQUERAS_CUENTA ON TA_CHEQUERAS (CuentaBancoDiferido, Serie);

CREATE VIEW V_TA_CTRL_CHEQUERAS AS
SELECT Q.IdChequera AS IDCHEQUERA,
       Q.IdBanco AS IDBANCO,
       B.Descripcion AS BANCO,
       Q.CuentaBancoDiferido AS CUENTABANCODIFERIDO,
       Q.Serie AS SERIE,
       Q.Numero_Desde AS NUMERO_DESDE,
       Q.Numero_Hasta AS NUMERO_HASTA,
       Q.Fecha_Recepcion AS FECHA_RECEPCION
FROM TA_CHEQUERAS Q
LEFT JOIN TA_BANCOS B ON B.IdBanco = Q.IdBanco;

CREATE TABLE MA_PROVEEDORES (
    CODIGO VARCHAR(15) COLLATE NOCASE_RTRIM PRIMARY KEY,
    RAZON_SOCIAL VARCHAR(80) COLLATE NOCASE_RTRIM NOT NULL,
    NOMBRE_FANTASIA VARCHAR(60) COLLATE NOCASE_RTRIM,
    CUIT VARCHAR(13) COLLATE NOCASE_RTRIM,
    CONDICION_IVA VARCHAR(2) COLLATE NOCASE_RTRIM,
    DOMICILIO VARCHAR(80) COLLATE NOCASE_RTRIM,
    LOCALIDAD VARCHAR(60) COLLATE NOCASE_RTRIM,
    PROVINCIA VARCHAR(40) COLLATE NOCASE_RTRIM,
    CODIGO_POSTAL VARCHAR(8) COLLATE NOCASE_RTRIM,
    TELEFONO VARCHAR(30) COLLATE NOCASE_RTRIM,
    EMAIL VARCHAR(80) COLLATE NOCASE_RTRIM,
    CONTACTO VARCHAR(60) COLLATE NOCASE_RTRIM,
    Dada_De_Baja BOOLEAN NOT NULL DEFAULT 0,
    FECHAHORA_GRABACION DATETIME
);

CREATE VIEW VT_PROVEEDORES AS
SELECT CODIGO, RAZON_SOCIAL, NOMBRE_FANTASIA, CUIT, CONDICION_IVA, DOMICILIO, LOCALIDAD, PROVINCIA,
       CODIGO_POSTAL, TELEFONO, EMAIL, CONTACTO, Dada_De_Baja
FROM MA_PROVEEDORES;

CREATE TABLE MA_CLIENTES (
    CODIGO VARCHAR(15) COLLATE NOCASE_RTRIM PRIMARY KEY,
    RAZON_SOCIAL VARCHAR(80) COLLATE NOCASE_RTRIM NOT NULL,
    CUIT VARCHAR(13) COLLATE NOCASE_RTRIM,
    CONDICION_IVA VARCHAR(2) COLLATE NOCASE_RTRIM,
    DOMICILIO VARCHAR(80) COLLATE NOCASE_RTRIM,
    LOCALIDAD VARCHAR(60) COLLATE NOCASE_RTRIM,
    PROVINCIA VARCHAR(40) COLLATE NOCASE_RTRIM,
    TELEFONO VARCHAR(30) COLLATE NOCASE_RTRIM,
    CONTACTO VARCHAR(60) COLLATE NOCASE_RTRIM,
    IdVendedor VARCHAR(4) COLLATE NOCASE_RTRIM,
    Dada_De_Baja BOOLEAN NOT NULL DEFAULT 0,
    FECHAHORA_GRABACION DATETIME
);

CREATE VIEW VT_CLIENTES AS
SELECT CODIGO, RAZON_SOCIAL, CONTACTO, CUIT, CONDICION_IVA, DOMICILIO, LOCALIDAD, PROVINCIA, TELEFONO,
       IdVendedor, Dada_De_Baja
FROM MA_CLIENTES;

CREATE TABLE MA_CONTACTOS (
    ID INTEGER PRIMARY KEY,
    Codigo VARCHAR(15) COLLATE NOCASE_RTRIM,
    Nombre_y_Apellido VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Cargo VARCHAR(40) COLLATE NOCASE_RTRIM,
    Domicilio VARCHAR(80) COLLATE NOCASE_RTRIM,
    Localidad VARCHAR(60) COLLATE NOCASE_RTRIM,
    Telefono VARCHAR(30) COLLATE NOCASE_RTRIM,
    Email VARCHAR(80) COLLATE NOCASE_RTRIM
);

-- Accounting lines. A line is identified by its eleven-column key; the cheque printer writes the
-- bank cheque number into NroComprobanteBancario of the line that credits the bank account:
-- "*-" while the cheque has no number, else series letter + "-" + number without leading zeros.
-- Tipo_Reg: 'N' ordinary line, 'C' own cheque issued. IdBanco is '' and NroComprobanteBancario
-- Null on lines that do not touch a bank.
CREATE TABLE MV_ASIENTOS (
    Periodo INTEGER NOT NULL,
    Mes_Operativo INTEGER NOT NULL,
    "Numero Asiento" INTEGER NOT NULL,
    Secuencia INTEGER NOT NULL,
    TC VARCHAR(4) COLLATE NOCASE_RTRIM NOT NULL,
    Sucursal VARCHAR(4) COLLATE NOCASE_RTRIM NOT NULL,
    Numero VARCHAR(8) COLLATE NOCASE_RTRIM NOT NULL,
    Letra VARCHAR(1) COLLATE NOCASE_RTRIM NOT NULL,
    Cuenta VARCHAR(15) COLLATE NOCASE_RTRIM NOT NULL,
    Tipo_Reg VARCHAR(1) COLLATE NOCASE_RTRIM NOT NULL,
    IdBanco VARCHAR(3) COLLATE NOCASE_RTRIM NOT NULL DEFAULT '',
    Fecha DATE NOT NULL,
    Vencimiento DATE,
    Detalle VARCHAR(80) COLLATE NOCASE_RTRIM,
    DebeHaber VARCHAR(1) COLLATE NOCASE_RTRIM NOT NULL CHECK (DebeHaber IN ('D', 'H')),
    Importe NUMERIC(18,2) NOT NULL,
    CuentaDestino VARCHAR(15) COLLATE NOCASE_RTRIM,
    NroComprobanteBancario VARCHAR(20) COLLATE NOCASE_RTRIM,
    Moneda VARCHAR(3) COLLATE NOCASE_RTRIM NOT NULL DEFAULT 'PES',
    Cotizacion NUMERIC(18,4) NOT NULL DEFAULT 1,
    Clearing INTEGER,
    CCosto VARCHAR(10) COLLATE NOCASE_RTRIM,
    Usuario VARCHAR(30) COLLATE NOCASE_RTRIM,
    FECHAHORA_GRABACION DATETIME,
    -- IdBanco leads the key, so the key's index also finds the lines of one bank (the highest
    -- cheque number of a series on a bank).
    CONSTRAINT PK_MV_ASIENTOS PRIMARY KEY (IdBanco, Periodo, Mes_Operativo, "Numero Asiento", Secuencia, TC,
                                           Sucursal, Numero, Letra, Cuenta, Tipo_Reg)
);

-- Issued cheques: the bank lines of the payments, numbered or not.
CREATE VIEW v_chequesentregados AS
SELECT NroComprobanteBancario AS NROCOMPROBANTEBANCARIO,
       Fecha,
       Detalle,
       Importe,
       Vencimiento,
       CuentaDestino,
       TC,
       Sucursal,
       Numero,
       Letra AS letra,
       Cuenta,
       Secuencia,
       Mes_Operativo,
       "Numero Asiento",
       Periodo,
       Tipo_Reg,
       IdBanco,
       Moneda,
       Cotizacion,
       Clearing
FROM MV_ASIENTOS
WHERE Tipo_Reg = 'C' AND DebeHaber = 'H' AND NroComprobanteBancario IS NOT NULL;

-- Daily movements per account, and per account and cost centre, summed from the lines.
CREATE VIEW AC_CUENTASDIARIO AS
SELECT Cuenta,
       Fecha,
       round(SUM(CASE WHEN DebeHaber = 'D' THEN Importe ELSE 0 END), 2) AS Debe,
       round(SUM(CASE WHEN DebeHaber = 'H' THEN Importe ELSE 0 END), 2) AS Haber
FROM MV_ASIENTOS
GROUP BY Cuenta, Fecha;

CREATE VIEW AC_CUENTASDIARIO_CCOSTO AS
SELECT Cuenta,
       CCosto,
       Fecha,
       round(SUM(CASE WHEN DebeHaber = 'D' THEN Importe ELSE 0 END), 2) AS Debe,
       round(SUM(CASE WHEN DebeHaber = 'H' THEN Importe ELSE 0 END), 2) AS Haber
FROM MV_ASIENTOS
WHERE CCosto IS NOT NULL
GROUP BY Cuenta, CCosto, Fecha;

-- Print table: the cheques of the last generation per workstation-and-user key and bank account.
CREATE TABLE AUX_IMPRESION (
    Id INTEGER PRIMARY KEY,
    USUARIO VARCHAR(50) COLLATE NOCASE_RTRIM NOT NULL,
    CUENTA VARCHAR(15) COLLATE NOCASE_RTRIM NOT NULL,
    FECHA VARCHAR(10) COLLATE NOCASE_RTRIM,
    VENCIMIENTO VARCHAR(10) COLLATE NOCASE_RTRIM,
    NOMBRE VARCHAR(120) COLLATE NOCASE_RTRIM,
    IMPORTE NUMERIC(18,2),
    IMPORTEENLETRA VARCHAR(255) COLLATE NOCASE_RTRIM,
    SERIE VARCHAR(1) COLLATE NOCASE_RTRIM,
    NUMERO INTEGER
);
CREATE INDEX IX_AUX_IMPRESION_USUARIO ON AUX_IMPRESION (USUARIO, CUENTA);

-- Configuration store: one row per key.
CREATE TABLE ta_configuracion (
    Clave VARCHAR(60) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Valor VARCHAR(255) COLLATE NOCASE_RTRIM,
    ValorAux VARCHAR(255) COLLATE NOCASE_RTRIM,
    Grupo VARCHAR(30) COLLATE NOCASE_RTRIM,
    PoliticaNegocio BOOLEAN DEFAULT 0
);

-- Failed statements and scripts.
CREATE TABLE AUX_ERR (
    Id INTEGER PRIMARY KEY,
    Proceso VARCHAR(50) COLLATE NOCASE_RTRIM,
    Fecha VARCHAR(20) COLLATE NOCASE_RTRIM,
    Error INTEGER,
    Descripcion VARCHAR(250) COLLATE NOCASE_RTRIM,
    sql TEXT COLLATE NOCASE_RTRIM,
    PC VARCHAR(50) COLLATE NOCASE_RTRIM,
    Usuario VARCHAR(50) COLLATE NOCASE_RTRIM
);

-- One row per start of a program of the suite.
CREATE TABLE Control_Acceso (
    Id INTEGER PRIMARY KEY,
    Maquina VARCHAR(50) COLLATE NOCASE_RTRIM,
    Usuario VARCHAR(50) COLLATE NOCASE_RTRIM,
    Formulario VARCHAR(50) COLLATE NOCASE_RTRIM,
    Tarea VARCHAR(60) COLLATE NOCASE_RTRIM,
    Ingreso VARCHAR(20) COLLATE NOCASE_RTRIM,
    NombreUsuario VARCHAR(50) COLLATE NOCASE_RTRIM
);

-- Users; Administrador 1 marks an administrator.
CREATE TABLE TA_USUARIOS (
    IdUsuario INTEGER PRIMARY KEY,
    Nombre VARCHAR(30) COLLATE NOCASE_RTRIM NOT NULL UNIQUE,
    NombreCompleto VARCHAR(60) COLLATE NOCASE_RTRIM,
    Administrador INTEGER NOT NULL DEFAULT 0,
    UNegocio VARCHAR(4) COLLATE NOCASE_RTRIM,
    verproforma BOOLEAN NOT NULL DEFAULT 0,
    Email VARCHAR(80) COLLATE NOCASE_RTRIM,
    Dada_De_Baja BOOLEAN NOT NULL DEFAULT 0
);

-- The suite's menu; Proceso names the program a task runs.
CREATE TABLE TA_MENU (
    Clave VARCHAR(10) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Nombre VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Proceso VARCHAR(60) COLLATE NOCASE_RTRIM,
    Padre VARCHAR(10) COLLATE NOCASE_RTRIM,
    Orden INTEGER
);

-- Tasks assigned to each user (TAREA = TA_MENU.Clave).
CREATE TABLE TA_TAREAS (
    USUARIO VARCHAR(30) COLLATE NOCASE_RTRIM NOT NULL,
    TAREA VARCHAR(10) COLLATE NOCASE_RTRIM NOT NULL,
    PRIMARY KEY (USUARIO, TAREA)
);

CREATE VIEW V_TA_Tareas AS
SELECT Clave AS IdTarea, Nombre AS Descripcion, Proceso, Padre
FROM TA_MENU;

CREATE TABLE TA_UNIDADNEGOCIO (
    Codigo VARCHAR(4) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL
);
CREATE VIEW V_TA_UnidadNegocio AS
SELECT Descripcion, Codigo FROM TA_UNIDADNEGOCIO;

CREATE TABLE TA_DEPOSITOS (
    IdDeposito VARCHAR(4) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    UnidadNegocio VARCHAR(4) COLLATE NOCASE_RTRIM,
    Domicilio VARCHAR(80) COLLATE NOCASE_RTRIM,
    Restringido BOOLEAN NOT NULL DEFAULT 0
);
CREATE VIEW V_TA_DEPOSITO AS
SELECT Descripcion, IdDeposito, UnidadNegocio, Domicilio, Restringido FROM TA_DEPOSITOS;

CREATE TABLE TA_CAJAS (
    IdCaja INTEGER PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Cuenta VARCHAR(15) COLLATE NOCASE_RTRIM,
    UnidadNegocio VARCHAR(4) COLLATE NOCASE_RTRIM,
    Restringida BOOLEAN NOT NULL DEFAULT 0
);
CREATE VIEW V_TA_CAJAS AS
SELECT IdCaja, Descripcion, Cuenta, UnidadNegocio, Restringida FROM TA_CAJAS;

-- Article families: hierarchical codes, a family's parent is the longest code that begins it.
CREATE TABLE TA_FAMILIAS (
    IdFamilia VARCHAR(10) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Restringida BOOLEAN NOT NULL DEFAULT 0
);
CREATE VIEW V_TA_FAMILIAS AS
SELECT IdFamilia, Descripcion, Restringida FROM TA_FAMILIAS;

CREATE TABLE TA_RUBROS (
    IdRubro VARCHAR(4) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL
);
CREATE VIEW V_TA_RUBROS AS
SELECT IdRubro, Descripcion FROM TA_RUBROS;

CREATE TABLE TA_UNIDADES (
    IdUnidad VARCHAR(4) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(40) COLLATE NOCASE_RTRIM NOT NULL
);
CREATE VIEW V_TA_UNIDAD AS
SELECT IdUnidad, Descripcion FROM TA_UNIDADES;

CREATE TABLE MA_ARTICULOS (
    IdArticulo VARCHAR(20) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(80) COLLATE NOCASE_RTRIM NOT NULL,
    IdFamilia VARCHAR(10) COLLATE NOCASE_RTRIM,
    IdRubro VARCHAR(4) COLLATE NOCASE_RTRIM,
    IdUnidad VARCHAR(4) COLLATE NOCASE_RTRIM,
    CodigoBarra VARCHAR(20) COLLATE NOCASE_RTRIM,
    Precio1 NUMERIC(18,2),
    Precio2 NUMERIC(18,2),
    Precio3 NUMERIC(18,2),
    Precio4 NUMERIC(18,2),
    Precio5 NUMERIC(18,2),
    Precio6 NUMERIC(18,2),
    Precio7 NUMERIC(18,2),
    Precio8 NUMERIC(18,2),
    PuntoPedido NUMERIC(18,2) NOT NULL DEFAULT 0,
    Suspendido BOOLEAN NOT NULL DEFAULT 0,
    FECHAHORA_GRABACION DATETIME,
    FECHAHORA_MODIFICACION DATETIME
);

-- Stock per article and warehouse.
CREATE TABLE STK_STOCK (
    IdArticulo VARCHAR(20) COLLATE NOCASE_RTRIM NOT NULL,
    IdDeposito VARCHAR(4) COLLATE NOCASE_RTRIM NOT NULL,
    Cantidad NUMERIC(18,2) NOT NULL DEFAULT 0,
    PRIMARY KEY (IdArticulo, IdDeposito)
);

CREATE VIEW V_MA_ARTICULOS AS
SELECT A.IdArticulo AS IDARTICULO,
       A.Descripcion AS DESCRIPCION,
       A.IdFamilia AS IDFAMILIA,
       A.IdRubro AS IDRUBRO,
       A.IdUnidad AS IDUNIDAD,
       A.CodigoBarra AS CODIGOBARRA,
       A.Precio1 AS PRECIO1,
       A.Precio2 AS PRECIO2,
       A.Precio3 AS PRECIO3,
       A.Precio4 AS PRECIO4,
       A.Precio5 AS PRECIO5,
       A.Precio6 AS PRECIO6,
       A.Precio7 AS PRECIO7,
       A.Precio8 AS PRECIO8,
       A.PuntoPedido AS PUNTOPEDIDO,
       CAST(IFNULL((SELECT SUM(S.Cantidad) FROM STK_STOCK S WHERE S.IdArticulo = A.IdArticulo), 0)
            AS NUMERIC(18,2)) AS Stock,
       A.Suspendido AS SUSPENDIDO
FROM MA_ARTICULOS A;

-- The article list of the lookups.
CREATE VIEW VT_MA_ARTICULOS AS
SELECT * FROM V_MA_ARTICULOS;

-- Stock by warehouse.
CREATE VIEW STK_MA_ARTICULOS AS
SELECT S.IdArticulo AS IDARTICULO,
       A.Descripcion AS DESCRIPCION,
       S.IdDeposito AS IDDEPOSITO,
       S.Cantidad AS Stock,
       A.PuntoPedido AS PUNTOPEDIDO,
       A.Suspendido AS SUSPENDIDO
FROM STK_STOCK S
JOIN MA_ARTICULOS A ON A.IdArticulo = S.IdArticulo;

-- Stock shortages reported from the article lookup; the lookup inserts into the view.
CREATE TABLE MV_FALTANTES (
    Id INTEGER PRIMARY KEY,
    FechaHora VARCHAR(30) COLLATE NOCASE_RTRIM NOT NULL,
    IdArticulo VARCHAR(25) COLLATE NOCASE_RTRIM NOT NULL,
    Descripcion VARCHAR(80) COLLATE NOCASE_RTRIM,
    Usuario VARCHAR(30) COLLATE NOCASE_RTRIM,
    Atendido BOOLEAN NOT NULL DEFAULT 0
);
CREATE VIEW V_MV_FALTANTES AS
SELECT Id, FechaHora, IdArticulo, Descripcion, Usuario, Atendido FROM MV_FALTANTES;
CREATE TRIGGER TR_V_MV_FALTANTES_INSERT INSTEAD OF INSERT ON V_MV_FALTANTES
BEGIN
    INSERT INTO MV_FALTANTES (FechaHora, IdArticulo, Descripcion, Usuario, Atendido)
    VALUES (NEW.FechaHora, NEW.IdArticulo, NEW.Descripcion, NEW.Usuario, IFNULL(NEW.Atendido, 0));
END;

CREATE TABLE TA_VENDEDORES (
    IdVendedor VARCHAR(4) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Nombre VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Comision NUMERIC(5,2) NOT NULL DEFAULT 0,
    Telefono VARCHAR(30) COLLATE NOCASE_RTRIM
);
CREATE VIEW V_TA_VENDEDORES AS
SELECT Nombre AS NOMBRE, IdVendedor AS IDVENDEDOR, Comision, Telefono FROM TA_VENDEDORES;

CREATE TABLE TA_TECNICOS (
    IdTecnico VARCHAR(4) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Nombre VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Especialidad VARCHAR(40) COLLATE NOCASE_RTRIM
);
CREATE VIEW V_TA_TECNICOS AS
SELECT Nombre AS NOMBRE, IdTecnico AS IDTECNICO, Especialidad FROM TA_TECNICOS;

CREATE TABLE MA_MANTENIMIENTOS (
    Codigo VARCHAR(6) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    FrecuenciaDias INTEGER
);
CREATE VIEW V_MA_MANTENIMIENTOS AS
SELECT Descripcion AS DESCRIPCION, Codigo AS CODIGO, FrecuenciaDias FROM MA_MANTENIMIENTOS;

-- Mutual health insurers and cattle lots of the suite's other programs; their lists key on ID.
CREATE TABLE MV_MUTUALES (
    ID INTEGER PRIMARY KEY,
    Nombre VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    CUIT VARCHAR(13) COLLATE NOCASE_RTRIM,
    FECHAHORA_GRABACION DATETIME
);
CREATE VIEW v_mv_mutuales AS
SELECT ID, Nombre, CUIT, FECHAHORA_GRABACION FROM MV_MUTUALES;

CREATE TABLE MV_TROPA_STOCK (
    ID INTEGER PRIMARY KEY,
    Tropa VARCHAR(10) COLLATE NOCASE_RTRIM NOT NULL,
    Categoria VARCHAR(30) COLLATE NOCASE_RTRIM,
    Cabezas INTEGER NOT NULL DEFAULT 0,
    Kilos NUMERIC(18,2) NOT NULL DEFAULT 0,
    FECHAHORA_GRABACION DATETIME
);
CREATE VIEW V_MV_TROPA_STOCK AS
SELECT ID, Tropa, Categoria, Cabezas, Kilos, FECHAHORA_GRABACION FROM MV_TROPA_STOCK;

-- Positions of the Mercosur customs nomenclature: hierarchical codes.
CREATE TABLE MA_POSICIONES (
    IDPOSICION VARCHAR(12) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(120) COLLATE NOCASE_RTRIM NOT NULL
);

-- Cost centres: hierarchical codes.
CREATE TABLE TA_CCOSTO (
    CODIGO VARCHAR(10) COLLATE NOCASE_RTRIM PRIMARY KEY,
    Descripcion VARCHAR(60) COLLATE NOCASE_RTRIM NOT NULL,
    Imputable BOOLEAN NOT NULL DEFAULT 1
);

-- Restricted counterparts for users who are not administrators: confidential accounts and their
-- lines, and restricted warehouses, families and cash desks, are left out.
CREATE VIEW SS_MA_CUENTAS AS
SELECT * FROM MA_CUENTAS WHERE Confidencial = 0;

CREATE VIEW SS_MV_ASIENTOS AS
SELECT A.* FROM MV_ASIENTOS A
WHERE NOT EXISTS (SELECT 1 FROM MA_CUENTAS C WHERE C.Codigo = A.Cuenta AND C.Confidencial = 1);

CREATE VIEW SS_V_TA_DEPOSITO AS
SELECT * FROM V_TA_DEPOSITO WHERE Restringido = 0;

CREATE VIEW SS_V_TA_FAMILIAS AS
SELECT * FROM V_TA_FAMILIAS WHERE Restringida = 0;

CREATE VIEW SS_V_TA_CAJAS AS
SELECT * FROM V_TA_CAJAS WHERE Restringida = 0;

CREATE VIEW SS_AC_CUENTASDIARIO AS
SELECT D.* FROM AC_CUENTASDIARIO D
WHERE NOT EXISTS (SELECT 1 FROM MA_CUENTAS C WHERE C.Codigo = D.Cuenta AND C.Confidencial = 1);

CREATE VIEW SS_AC_CUENTAS_DIARIO_CCOSTO AS
SELECT D.* FROM AC_CUENTASDIARIO_CCOSTO D
WHERE NOT EXISTS (SELECT 1 FROM MA_CUENTAS C WHERE C.Codigo = D.Cuenta AND C.Confidencial = 1);

-- @indexes
-- Cheque lookups on accounting lines, index searches even at a million lines:
--   the list load      ... WHERE CUENTA = ? AND NroComprobanteBancario = '*-'
--   the number check   ... WHERE NroComprobanteBancario = 'B-100'
--   the highest number ... WHERE substring(NroComprobanteBancario,1,1) = ? AND IdBanco = ?  (the key)
--   the numbering      UPDATE ... WHERE <the eleven key columns>                           (the key)
-- Only cheque lines carry a number, so both indexes are partial: one entry per cheque instead of
-- one per line; an equality on the column implies its IS NOT NULL, so the planner takes them.
CREATE INDEX IX_MV_ASIENTOS_CUENTA_CHEQUE ON MV_ASIENTOS (Cuenta, NroComprobanteBancario)
    WHERE NroComprobanteBancario IS NOT NULL;
CREATE INDEX IX_MV_ASIENTOS_CHEQUE ON MV_ASIENTOS (NroComprobanteBancario)
    WHERE NroComprobanteBancario IS NOT NULL;
