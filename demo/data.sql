-- Fixed reference data of the demo company (a wholesale distributor in Rosario, Santa Fe).
-- Bank accounts, chequebooks, suppliers, cheques and the bulk of the accounting lines are written
-- by the generator, which knows the scale asked for.

-- Chart of accounts, without the bank accounts and the suppliers.
INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, Descripcion, Nivel, Imputable, TIPOVISTA, MedioDePago, Moneda,
                        FECHAHORA_GRABACION)
VALUES ('1', NULL, 'ACTIVO', 1, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1', NULL, 'ACTIVO CORRIENTE', 2, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.01', NULL, 'CAJA', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.01.01', 'CAJA', 'Caja Pesos', 4, 1, 'CJ', 'EF', 'PES', '2023-12-15 09:00:00'),
       ('1.1.01.02', 'CAJAUSD', 'Caja Dólares', 4, 1, 'CJ', 'EF', 'DOL', '2023-12-15 09:00:00'),
       ('1.1.02', NULL, 'BANCOS', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.03', NULL, 'DEUDORES POR VENTAS', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.04', NULL, 'CRÉDITOS FISCALES', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.04.01', 'IVACF', 'IVA Crédito Fiscal', 4, 1, 'IV', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.04.02', 'PERIIBB', 'Percepciones de Ingresos Brutos sufridas', 4, 1, 'IV', NULL, 'PES',
        '2023-12-15 09:00:00'),
       ('1.1.05', NULL, 'BIENES DE CAMBIO', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('1.1.05.01', 'MERC', 'Mercaderías de reventa', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2', NULL, 'PASIVO', 1, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2.1', NULL, 'PASIVO CORRIENTE', 2, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2.1.01', NULL, 'PROVEEDORES', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2.1.02', NULL, 'DEUDAS FISCALES', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2.1.02.01', 'IVADF', 'IVA Débito Fiscal', 4, 1, 'IV', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2.1.02.02', 'IIBB', 'Ingresos Brutos a pagar', 4, 1, 'IV', NULL, 'PES', '2023-12-15 09:00:00'),
       ('2.1.03', NULL, 'CHEQUES DE PAGO DIFERIDO A PAGAR', 3, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('3', NULL, 'PATRIMONIO NETO', 1, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('3.1.01', 'CAPITAL', 'Capital social', 3, 1, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('4', NULL, 'INGRESOS', 1, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('4.1.01', 'VENTAS', 'Ventas de mercaderías', 3, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5', NULL, 'EGRESOS', 1, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2', NULL, 'GASTOS', 2, 0, 'TI', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01', NULL, 'GASTOS DE ADMINISTRACIÓN Y COMERCIALIZACIÓN', 3, 0, 'TI', NULL, 'PES',
        '2023-12-15 09:00:00'),
       ('5.2.01.01', 'COMPRAS', 'Compras de mercaderías', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.02', 'FLETES', 'Fletes y acarreos', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.03', 'ENERGIA', 'Energía eléctrica', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.04', 'GAS', 'Gas natural', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.05', 'TELEF', 'Telefonía e Internet', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.06', 'ALQUIL', 'Alquileres', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.07', 'HONOR', 'Honorarios profesionales', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.08', 'PAPEL', 'Papelería y útiles de oficina', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.09', 'MANTEN', 'Mantenimiento y reparaciones', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.10', 'COMBUS', 'Combustibles y lubricantes', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.11', 'SEGUROS', 'Seguros', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00'),
       ('5.2.01.12', 'LIMPIEZA', 'Limpieza y vigilancia', 4, 1, 'GA', NULL, 'PES', '2023-12-15 09:00:00');

INSERT INTO TA_BANCOS (IdBanco, Descripcion, CUIT)
VALUES ('007', 'Banco de Galicia y Buenos Aires S.A.U.', '30-50000173-5'),
       ('011', 'Banco de la Nación Argentina', '30-50001091-2'),
       ('014', 'Banco de la Provincia de Buenos Aires', '33-99924210-9'),
       ('029', 'Banco de la Ciudad de Buenos Aires', '30-99903208-3'),
       ('072', 'Banco Santander Argentina S.A.', '30-50000845-4'),
       ('191', 'Banco Credicoop Cooperativo Limitado', '30-57142135-2'),
       ('285', 'Banco Macro S.A.', '30-50001008-4');

-- Clients: accounts of the chart too.
INSERT INTO MA_CUENTAS (Codigo, CodigoOpcional, Descripcion, Nivel, Imputable, TIPOVISTA, FECHAHORA_GRABACION)
VALUES ('1.1.03.0001', 'C0001', 'Supermercados del Centro S.A.', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0002', 'C0002', 'Almacén Don Tito de Rubén Gómez', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0003', 'C0003', 'Autoservicio La Económica S.R.L.', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0004', 'C0004', 'Despensa Los Álamos', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0005', 'C0005', 'Mayorista Funes S.A.', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0006', 'C0006', 'Kiosco y Librería El Estudiante', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0007', 'C0007', 'Granja Avícola San José S.A.', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0008', 'C0008', 'Hotel Ribera del Paraná S.A.', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0009', 'C0009', 'Restaurante La Estancia de Pérez y Cía.', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0010', 'C0010', 'Club Atlético Villa Gobernador Gálvez', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0011', 'C0011', 'Comedor Escolar Nº 1284 Cooperadora', 4, 1, 'CL', '2023-12-15 09:00:00'),
       ('1.1.03.0012', 'C0012', 'Panadería La Espiga Dorada', 4, 1, 'CL', '2023-12-15 09:00:00');

INSERT INTO MA_CLIENTES (CODIGO, RAZON_SOCIAL, CUIT, CONDICION_IVA, DOMICILIO, LOCALIDAD, PROVINCIA, TELEFONO,
                         CONTACTO, IdVendedor, Dada_De_Baja, FECHAHORA_GRABACION)
VALUES ('1.1.03.0001', 'Supermercados del Centro S.A.', '30-70812345-1', 'RI', 'Córdoba 1452', 'Rosario',
        'Santa Fe', '0341 421-5566', 'Marcela Ibáñez', '001', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0002', 'Almacén Don Tito de Rubén Gómez', '20-17654321-4', 'MT', 'Mendoza 3320', 'Rosario',
        'Santa Fe', '0341 438-1200', 'Rubén Gómez', '002', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0003', 'Autoservicio La Económica S.R.L.', '30-71234009-2', 'RI', 'San Martín 870', 'Funes',
        'Santa Fe', '0341 493-7788', 'Lucía Ferreyra', '001', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0004', 'Despensa Los Álamos', '27-23456789-1', 'MT', 'Los Álamos 45', 'Roldán', 'Santa Fe',
        '0341 496-0021', 'Silvia Núñez', '003', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0005', 'Mayorista Funes S.A.', '30-69876540-9', 'RI', 'Ruta 9 km 312', 'Funes', 'Santa Fe',
        '0341 493-1010', 'Hernán Castro', '002', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0006', 'Kiosco y Librería El Estudiante', '20-30111222-0', 'MT', 'Pellegrini 1020', 'Rosario',
        'Santa Fe', '0341 440-3344', 'Pablo Ríos', '004', 1, '2023-12-15 09:00:00'),
       ('1.1.03.0007', 'Granja Avícola San José S.A.', '30-58765432-2', 'RI', 'Camino Rural s/n',
        'Arroyo Seco', 'Santa Fe', '03402 42-6655', 'Ana Belén Ortiz', '003', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0008', 'Hotel Ribera del Paraná S.A.', '30-71555666-5', 'RI', 'Av. de la Costa 250',
        'Rosario', 'Santa Fe', '0341 447-9000', 'Gustavo Peña', '001', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0009', 'Restaurante La Estancia de Pérez y Cía.', '30-64321987-1', 'RI', 'Oroño 1599',
        'Rosario', 'Santa Fe', '0341 425-1717', 'Claudio Pérez', '004', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0010', 'Club Atlético Villa Gobernador Gálvez', '30-52345678-0', 'EX', 'Av. San Martín 2100',
        'Villa Gobernador Gálvez', 'Santa Fe', '0341 492-3030', 'Norma Acuña', '005', 0,
        '2023-12-15 09:00:00'),
       ('1.1.03.0011', 'Comedor Escolar Nº 1284 Cooperadora', '30-70999888-5', 'EX', 'Rivadavia 55',
        'Pérez', 'Santa Fe', '0341 495-4411', 'Graciela Luna', '005', 0, '2023-12-15 09:00:00'),
       ('1.1.03.0012', 'Panadería La Espiga Dorada', '20-25888999-2', 'MT', 'Sarmiento 3456', 'Rosario',
        'Santa Fe', '0341 463-2222', 'José Maidana', '002', 0, '2023-12-15 09:00:00');

INSERT INTO MA_CONTACTOS (Codigo, Nombre_y_Apellido, Cargo, Domicilio, Localidad, Telefono, Email)
VALUES ('1.1.03.0001', 'Marcela Ibáñez', 'Compras', 'Córdoba 1452', 'Rosario', '0341 421-5566',
        'compras@supercentro.com.ar'),
       ('1.1.03.0001', 'Jorge Benítez', 'Tesorería', 'Córdoba 1452', 'Rosario', '0341 421-5567',
        'tesoreria@supercentro.com.ar'),
       ('1.1.03.0003', 'Lucía Ferreyra', 'Dueña', 'San Martín 870', 'Funes', '0341 493-7788', NULL),
       ('1.1.03.0005', 'Hernán Castro', 'Gerente comercial', 'Ruta 9 km 312', 'Funes', '0341 493-1010',
        'hcastro@mayoristafunes.com.ar'),
       ('1.1.03.0008', 'Gustavo Peña', 'Administración', 'Av. de la Costa 250', 'Rosario', '0341 447-9000',
        'administracion@hotelribera.com.ar'),
       ('1.1.03.0009', 'Claudio Pérez', 'Socio gerente', 'Oroño 1599', 'Rosario', '0341 425-1717', NULL),
       ('2.1.01.00001', 'Martín Echeverría', 'Cobranzas', 'Av. Pellegrini 3200', 'Rosario', '0341 481-2200',
        'cobranzas@dlitoral.com.ar'),
       ('2.1.01.00002', 'Carolina Núñez', 'Ventas', 'Ovidio Lagos 5400', 'Rosario', '0341 462-8181',
        'ventas@ferrenunez.com.ar'),
       ('2.1.01.00004', 'Walter Sosa', 'Logística', 'Ruta 34 km 4', 'Pérez', '0341 495-6060', NULL),
       ('2.1.01.00005', 'Mariana Quiroga', 'Administración', 'Bv. 25 de Mayo 1200', 'Junín', '0236 443-1500',
        'administracion@coopjunin.com.ar');

INSERT INTO TA_USUARIOS (Nombre, NombreCompleto, Administrador, UNegocio, verproforma, Email, Dada_De_Baja)
VALUES ('TESSARO', 'Supervisor del sistema', 1, '01', 1, 'sistemas@distribuidora-rosario.com.ar', 0),
       ('SUPERVISOR TESSARO MC', 'Soporte técnico', 1, '01', 1, NULL, 0),
       ('JPEREZ', 'Juan Pérez', 0, '01', 0, 'tesoreria@distribuidora-rosario.com.ar', 0),
       ('MGOMEZ', 'María Gómez', 0, '02', 0, 'mgomez@distribuidora-rosario.com.ar', 1);

INSERT INTO TA_MENU (Clave, Nombre, Proceso, Padre, Orden)
VALUES ('TES', 'Tesorería', NULL, NULL, 1),
       ('TES010', 'Impresión de cheques', 'TALONEX', 'TES', 10),
       ('TES020', 'Consulta de asientos', 'CONS_MV_ASIENTOS', 'TES', 20),
       ('TES030', 'Órdenes de pago', 'V_MV_ORDENESPAGO', 'TES', 30),
       ('COM', 'Compras', NULL, NULL, 2),
       ('COM010', 'Proveedores', 'V_MA_CLIENTES', 'COM', 10),
       ('VEN', 'Ventas', NULL, NULL, 3),
       ('VEN010', 'Clientes', 'V_MA_CLIENTES', 'VEN', 10),
       ('VEN020', 'Artículos', 'V_MA_ARTICULOS', 'VEN', 20),
       ('CON', 'Contabilidad', NULL, NULL, 4),
       ('CON010', 'Tablas generales', 'V_TA_TABLAS', 'CON', 10);

INSERT INTO TA_TAREAS (USUARIO, TAREA)
VALUES ('TESSARO', 'TES010'), ('TESSARO', 'TES020'), ('TESSARO', 'TES030'), ('TESSARO', 'COM010'),
       ('TESSARO', 'VEN010'), ('TESSARO', 'VEN020'), ('TESSARO', 'CON010'),
       ('JPEREZ', 'TES010'), ('JPEREZ', 'TES020'),
       ('MGOMEZ', 'VEN010'), ('MGOMEZ', 'VEN020');

INSERT INTO ta_configuracion (Clave, Valor, ValorAux, Grupo, PoliticaNegocio)
VALUES ('MOSTRARSTOCKENCONSULTAS', 'SI', NULL, 'CONSULTAS', 0),
       ('TITULOCLIENTES', 'Clientes', NULL, 'DATOS', 0),
       ('TITULOPROVEEDORES', 'Proveedores', NULL, 'DATOS', 0),
       ('EXIGECLAVECONSULTALIKEARTICULOS', 'NO', NULL, 'CONSULTAS', 0),
       ('USACONSULTALIKE', 'NO', NULL, 'CONSULTAS', 0),
       ('TOPCONSART', '1000', NULL, 'CONSULTAS', 0),
       ('STK_NIVEL1', '32768', NULL, 'CONSULTAS', 0),
       ('STK_NIVEL2', '16711680', NULL, 'CONSULTAS', 0),
       ('STK_NIVEL3', '33023', NULL, 'CONSULTAS', 0),
       ('STK_NIVEL4', '255', NULL, 'CONSULTAS', 0),
       ('NOM_PCLASE1', 'Lista', NULL, 'VENTAS', 0),
       ('NOM_PCLASE2', 'Mayorista', NULL, 'VENTAS', 0),
       ('NOM_PCLASE3', 'Distribuidor', NULL, 'VENTAS', 0),
       ('NOM_PCLASE4', 'Contado', NULL, 'VENTAS', 0),
       ('NOM_PCLASE5', 'Tarjeta', NULL, 'VENTAS', 0),
       ('NOM_PCLASE6', 'Especial', NULL, 'VENTAS', 0),
       ('NOM_PCLASE7', 'Exportación', NULL, 'VENTAS', 0),
       ('NOM_PCLASE8', 'Costo', NULL, 'VENTAS', 0),
       ('CANTIDADDECIMALES', '2', NULL, 'DATOS', 0),
       ('SS_CONFIDENCIALIDAD', 'NO', NULL, 'SEGURIDAD', 1),
       ('SS_BLOQUEOACTIVO', 'NO', NULL, 'SEGURIDAD', 1),
       ('USAMULTILESMONEDAS', 'SI', NULL, 'DATOS', 0),
       ('USAFACTURAPROFORMA', 'NO', NULL, 'VENTAS', 0),
       ('USACCOSTO', 'SI', NULL, 'CONTABILIDAD', 0),
       ('PERIODO', '2024', NULL, 'CONTABILIDAD', 0),
       ('RAZONSOCIALPORUNEG', 'NO', NULL, 'DATOS', 0),
       ('VALIDACODIGOBARRA', 'SI', NULL, 'VENTAS', 0),
       ('MAXDTO', '15', NULL, 'VENTAS', 1),
       ('UTILIZARFECHADIA', 'SI', NULL, 'DATOS', 0),
       ('CONDIVAEMPRESA', 'RI', NULL, 'DATOS', 0),
       ('TOP_DEFAULT', '100', NULL, 'CONSULTAS', 0);

INSERT INTO TA_UNIDADNEGOCIO (Codigo, Descripcion)
VALUES ('01', 'Casa central Rosario'), ('02', 'Sucursal Funes'), ('03', 'Depósito Pérez');

INSERT INTO TA_DEPOSITOS (IdDeposito, Descripcion, UnidadNegocio, Domicilio, Restringido)
VALUES ('01', 'Depósito central', '01', 'Av. Pellegrini 2450, Rosario', 0),
       ('02', 'Salón de ventas Funes', '02', 'Hipólito Yrigoyen 1800, Funes', 0),
       ('03', 'Depósito Pérez', '03', 'Ruta 33 km 7, Pérez', 0),
       ('99', 'Mercadería en custodia judicial', '01', 'Av. Pellegrini 2450, Rosario', 1);

INSERT INTO TA_CAJAS (IdCaja, Descripcion, Cuenta, UnidadNegocio, Restringida)
VALUES (1, 'Caja principal', '1.1.01.01', '01', 0),
       (2, 'Caja sucursal Funes', '1.1.01.01', '02', 0),
       (3, 'Caja de dólares', '1.1.01.02', '01', 1);

INSERT INTO TA_FAMILIAS (IdFamilia, Descripcion, Restringida)
VALUES ('01', 'Almacén', 0),
       ('0101', 'Aceites y vinagres', 0),
       ('0102', 'Harinas y fideos', 0),
       ('0103', 'Yerbas e infusiones', 0),
       ('010301', 'Yerba mate', 0),
       ('010302', 'Té y mate cocido', 0),
       ('02', 'Bebidas', 0),
       ('0201', 'Gaseosas', 0),
       ('0202', 'Vinos', 0),
       ('0203', 'Aguas', 0),
       ('03', 'Limpieza', 0),
       ('0301', 'Lavandina y desinfectantes', 0),
       ('0302', 'Detergentes', 0),
       ('09', 'Consignación de terceros', 1);

INSERT INTO TA_RUBROS (IdRubro, Descripcion)
VALUES ('01', 'Alimentos secos'), ('02', 'Bebidas con alcohol'), ('03', 'Bebidas sin alcohol'),
       ('04', 'Limpieza del hogar'), ('05', 'Perfumería');

INSERT INTO TA_UNIDADES (IdUnidad, Descripcion)
VALUES ('UN', 'Unidad'), ('KG', 'Kilogramo'), ('LT', 'Litro'), ('CJ', 'Caja'), ('PQ', 'Paquete'),
       ('M3', 'Metro cúbico');

INSERT INTO MA_ARTICULOS (IdArticulo, Descripcion, IdFamilia, IdRubro, IdUnidad, CodigoBarra, Precio1, Precio2,
                          Precio3, Precio4, Precio5, Precio6, Precio7, Precio8, PuntoPedido, Suspendido,
                          FECHAHORA_GRABACION, FECHAHORA_MODIFICACION)
VALUES ('00015', 'Aceite de girasol 900 cc (código anterior)', '0101', '01', 'UN', NULL, 1850, 1700, 1650, 1800,
        1900, 1600, 1500, 1200, 0, 1, '2021-03-01 10:00:00', '2023-06-30 18:00:00'),
       ('0999', 'Vinagre de alcohol 1 l (código anterior)', '0101', '01', 'UN', NULL, 990, 900, 880, 950, 1000,
        850, 800, 620, 0, 1, '2021-03-01 10:00:00', '2023-06-30 18:00:00'),
       ('1001', 'Aceite de girasol 1,5 l', '0101', '01', 'UN', '7790001000016', 2890, 2650, 2590, 2800, 2990,
        2500, 2400, 2010, 120, 0, '2023-12-15 09:00:00', NULL),
       ('1002', 'Aceite de oliva extra virgen 500 ml', '0101', '01', 'UN', '7790001000023', 7450, 6900, 6750,
        7200, 7700, 6500, 6300, 5200, 24, 0, '2023-12-15 09:00:00', NULL),
       ('1003', 'Vinagre de manzana 500 ml', '0101', '01', 'UN', '7790001000030', 890, 820, 800, 860, 920, 780,
        750, 600, 36, 0, '2023-12-15 09:00:00', NULL),
       ('1101', 'Harina de trigo 000 1 kg', '0102', '01', 'PQ', '7790001000047', 790, 720, 700, 760, 820, 690,
        660, 540, 200, 0, '2023-12-15 09:00:00', NULL),
       ('1102', 'Fideos tallarines 500 g', '0102', '01', 'PQ', '7790001000054', 1150, 1050, 1020, 1100, 1190,
        990, 950, 780, 150, 0, '2023-12-15 09:00:00', NULL),
       ('1103', 'Fideos mostachol 500 g', '0102', '01', 'PQ', '7790001000061', 1150, 1050, 1020, 1100, 1190,
        990, 950, 780, 150, 0, '2023-12-15 09:00:00', NULL),
       ('1201', 'Yerba mate con palo 1 kg', '010301', '01', 'PQ', '7790001000078', 3990, 3700, 3620, 3850, 4100,
        3500, 3400, 2800, 180, 0, '2023-12-15 09:00:00', NULL),
       ('1202', 'Yerba mate suave 500 g', '010301', '01', 'PQ', '7790001000085', 2150, 1990, 1950, 2080, 2200,
        1880, 1800, 1480, 120, 0, '2023-12-15 09:00:00', NULL),
       ('1203', 'Té en saquitos x 50', '010302', '01', 'CJ', '7790001000092', 1290, 1190, 1160, 1240, 1320,
        1120, 1080, 880, 60, 0, '2023-12-15 09:00:00', NULL),
       ('1204', 'Mate cocido x 25', '010302', '01', 'CJ', '7790001000108', 990, 910, 890, 950, 1020, 860, 830,
        680, 60, 0, '2023-12-15 09:00:00', NULL),
       ('2001', 'Gaseosa cola 2,25 l', '0201', '03', 'UN', '7790001000115', 2490, 2290, 2240, 2400, 2560, 2190,
        2100, 1720, 240, 0, '2023-12-15 09:00:00', NULL),
       ('2002', 'Gaseosa lima-limón 2,25 l', '0201', '03', 'UN', '7790001000122', 2390, 2190, 2150, 2300, 2460,
        2100, 2010, 1650, 240, 0, '2023-12-15 09:00:00', NULL),
       ('2003', 'Agua tónica 1,5 l', '0201', '03', 'UN', '7790001000139', 1790, 1650, 1610, 1720, 1840, 1570,
        1500, 1240, 48, 0, '2023-12-15 09:00:00', NULL),
       ('2101', 'Vino tinto Malbec 750 ml', '0202', '02', 'UN', '7790001000146', 4850, 4450, 4360, 4660, 4990,
        4260, 4100, 3350, 96, 0, '2023-12-15 09:00:00', NULL),
       ('2102', 'Vino blanco Torrontés 750 ml', '0202', '02', 'UN', '7790001000153', 4350, 3990, 3910, 4180,
        4480, 3820, 3680, 3010, 48, 0, '2023-12-15 09:00:00', NULL),
       ('2103', 'Vino tinto de mesa 1 l (tetra)', '0202', '02', 'UN', '7790001000160', 1590, 1460, 1430, 1530,
        1640, 1400, 1340, 1100, 120, 0, '2023-12-15 09:00:00', NULL),
       ('2201', 'Agua mineral sin gas 2 l', '0203', '03', 'UN', '7790001000177', 1190, 1090, 1070, 1140, 1230,
        1050, 1000, 820, 200, 0, '2023-12-15 09:00:00', NULL),
       ('2202', 'Agua saborizada pomelo 1,5 l', '0203', '03', 'UN', '7790001000184', 1390, 1280, 1250, 1340, 1430,
        1220, 1170, 960, 72, 0, '2023-12-15 09:00:00', NULL),
       ('3001', 'Lavandina concentrada 2 l', '0301', '04', 'UN', '7790001000191', 1690, 1550, 1520, 1620, 1740,
        1480, 1420, 1170, 100, 0, '2023-12-15 09:00:00', NULL),
       ('3002', 'Desinfectante de ambientes 900 ml', '0301', '04', 'UN', '7790001000207', 2290, 2100, 2060, 2200,
        2360, 2010, 1930, 1580, 40, 0, '2023-12-15 09:00:00', NULL),
       ('3101', 'Detergente concentrado limón 750 ml', '0302', '04', 'UN', '7790001000214', 1890, 1740, 1700,
        1810, 1950, 1660, 1590, 1310, 80, 0, '2023-12-15 09:00:00', NULL),
       ('3102', 'Jabón en polvo 3 kg', '0302', '04', 'PQ', '7790001000221', 8990, 8250, 8090, 8630, 9250, 7900,
        7590, 6210, 30, 0, '2023-12-15 09:00:00', NULL),
       ('9001', 'Mercadería en consignación (sin precio)', '09', '01', 'UN', NULL, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        '2023-12-15 09:00:00', NULL);

-- Stock situations of the lookup's colours: no reorder point with stock, above, below and at the
-- reorder point, and out of stock.
INSERT INTO STK_STOCK (IdArticulo, IdDeposito, Cantidad)
VALUES ('1001', '01', 340), ('1001', '02', 60),
       ('1002', '01', 12),
       ('1003', '01', 36),
       ('1101', '01', 820), ('1101', '03', 400),
       ('1102', '01', 95),
       ('1103', '01', 0),
       ('1201', '01', 510), ('1201', '02', 40),
       ('1202', '01', 130),
       ('1203', '01', 58),
       ('1204', '01', 75),
       ('2001', '01', 1200), ('2001', '03', 600),
       ('2002', '01', 180),
       ('2003', '01', 48),
       ('2101', '01', 300),
       ('2102', '01', 20),
       ('2103', '01', 0),
       ('2201', '01', 950),
       ('2202', '01', 71),
       ('3001', '01', 260),
       ('3002', '01', 15),
       ('3101', '01', 144),
       ('3102', '01', 31),
       ('9001', '99', 12);

INSERT INTO MV_FALTANTES (FechaHora, IdArticulo, Descripcion, Usuario, Atendido)
VALUES ('2024-11-12 10:45:00', '1103', 'Fideos mostachol 500 g', 'JPEREZ', 0);

INSERT INTO TA_VENDEDORES (IdVendedor, Nombre, Comision, Telefono)
VALUES ('001', 'Sergio Aguirre', 3.5, '0341 15-555-0101'),
       ('002', 'Laura Benítez', 3.5, '0341 15-555-0102'),
       ('003', 'Ramón Ñancucheo', 4, '0341 15-555-0103'),
       ('004', 'Verónica Días', 3, '0341 15-555-0104'),
       ('005', 'Oficina (ventas institucionales)', 0, '0341 421-0000');

INSERT INTO TA_TECNICOS (IdTecnico, Nombre, Especialidad)
VALUES ('01', 'Diego Maldonado', 'Refrigeración'),
       ('02', 'Esteban Quiroga', 'Autoelevadores'),
       ('03', 'Nicolás Peñaloza', 'Electricidad'),
       ('04', 'Fabián Correa', 'Balanzas y básculas');

INSERT INTO MA_MANTENIMIENTOS (Codigo, Descripcion, FrecuenciaDias)
VALUES ('M001', 'Service de cámara frigorífica', 90),
       ('M002', 'Control de autoelevador eléctrico', 180),
       ('M003', 'Calibración de balanza de plataforma', 365),
       ('M004', 'Revisión del tablero eléctrico', 180),
       ('M005', 'Recarga de matafuegos', 365),
       ('M006', 'Limpieza de tanque de agua', 180);

INSERT INTO MV_MUTUALES (ID, Nombre, CUIT, FECHAHORA_GRABACION)
VALUES (1, 'Mutual del Personal de Comercio de Rosario', '30-54667612-5', '2023-12-15 09:00:00'),
       (2, 'Asociación Mutual Santafesina de Salud', '30-68505432-5', '2023-12-15 09:00:00'),
       (3, 'Mutual Empleados Bancarios del Litoral', '30-59998877-3', '2023-12-15 09:00:00');

INSERT INTO MV_TROPA_STOCK (ID, Tropa, Categoria, Cabezas, Kilos, FECHAHORA_GRABACION)
VALUES (1, 'T-2024-01', 'Novillos', 42, 18900, '2024-02-10 07:30:00'),
       (2, 'T-2024-02', 'Vaquillonas', 35, 12250, '2024-03-15 07:30:00'),
       (3, 'T-2024-03', 'Terneros', 60, 10800, '2024-05-20 07:30:00');

INSERT INTO MA_POSICIONES (IDPOSICION, Descripcion)
VALUES ('15', 'Grasas y aceites animales o vegetales'),
       ('1512', 'Aceites de girasol, cártamo o algodón, y sus fracciones'),
       ('151219', 'Los demás aceites de girasol o cártamo'),
       ('15121911', 'Aceite de girasol refinado, en envases de contenido neto inferior o igual a 5 l'),
       ('22', 'Bebidas, líquidos alcohólicos y vinagre'),
       ('2201', 'Agua, incluidas el agua mineral y la gaseada, sin azucarar'),
       ('2202', 'Agua con adición de azúcar o aromatizada y demás bebidas no alcohólicas'),
       ('2204', 'Vino de uvas frescas'),
       ('220421', 'Vino en recipientes con capacidad inferior o igual a 2 l'),
       ('09', 'Café, té, yerba mate y especias'),
       ('0903', 'Yerba mate'),
       ('09030010', 'Yerba mate simplemente canchada'),
       ('09030090', 'Las demás yerbas mate');

INSERT INTO TA_CCOSTO (CODIGO, Descripcion, Imputable)
VALUES ('1', 'Administración', 0),
       ('11', 'Gerencia general', 1),
       ('12', 'Contaduría y tesorería', 1),
       ('2', 'Comercial', 0),
       ('21', 'Ventas salón', 1),
       ('22', 'Ventas mayoristas', 1),
       ('23', 'Marketing', 1),
       ('3', 'Logística', 0),
       ('31', 'Depósito central', 1),
       ('32', 'Distribución y reparto', 1),
       ('321', 'Reparto zona norte', 1),
       ('322', 'Reparto zona sur', 1);
