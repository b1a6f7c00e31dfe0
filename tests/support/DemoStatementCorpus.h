#pragma once

#include <QString>
#include <QStringList>

using namespace Qt::StringLiterals;

/// Statements of the program's own forms that every engine runs on the demo database without error
/// (the last ones change its schema: run them on a database of the test's own).
inline QStringList demoStatementCorpus()
{
    return {
        u"SELECT VALOR, valoraux FROM ta_configuracion with(nolock)  WHERE CLAVE = 'TopConsArt'"_s,
        u"Select * from ta_usuarios  with(nolock)  where Nombre = 'ADMIN'"_s,
        u"select  top 1 * from AUX_ERR  with(nolock) "_s,
        u"SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS  "
        u"with(nolock) "
        u"INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = 'ADMIN ') "
        u"AND "
        u"(TA_MENU.Proceso LIKE '%IMPRESION%')"_s,
        u"SELECT * FROM MA_CUENTAS  with(nolock)  WHERE Codigo =  '1101'"_s,
        u"SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(IdCuenta)) ='1101'"_s,
        u"SELECT IDBANCO,NUMERO_DESDE, NUMERO_HASTA FROM  V_TA_CTRL_CHEQUERAS  WHERE CUENTABANCODIFERIDO = '1101'"_s,
        u"select isnull(max(substring(nrocomprobantebancario,3,50)),0) as Maximo from mv_asientos where "
        u"substring(nrocomprobantebancario,1,1)= 'A' and IDBANCO='007'"_s,
        u"select * from v_chequesentregados  Where Fecha >= '2024-01-01' AND CUENTA = '1101' and "
        u"nrocomprobantebancario='*-' "_s,
        u"select * from v_chequesentregados  Where CUENTA = '1101' and "
        u"substring(nrocomprobantebancario,1,1) = 'A' "
        u"and (convert(int,substring(nrocomprobantebancario,3,100))>=1 and "
        u"convert(int,substring(nrocomprobantebancario,3,100))<=50) order by "
        u"convert(int,substring(nrocomprobantebancario,3,100))"_s,
        u"select * from ma_cuentasadic where codigo = '2101'"_s,
        u"DELETE AUX_IMPRESION WHERE USUARIO = 'PC1|JUAN' AND CUENTA = '1101'"_s,
        u"INSERT INTO AUX_IMPRESION "
        u"(USUARIO,CUENTA,FECHA,VENCIMIENTO,NOMBRE,IMPORTE,IMPORTEENLETRA,SERIE,NUMERO) "
        u"VALUES('PC1|JUAN','1101','31/01/2024','31/01/2024','Proveedor SA',1500.5,'Un mil quinientos','A',12)"_s,
        u"UPDATE MV_ASIENTOS SET NroComprobanteBancario='A-00000012' WHERE tc='OP' and sucursal= '0001' "
        u"and "
        u"numero= '00000001' and letra= 'X' and cuenta= '1101' and secuencia= '1' and mes_operativo= '1' "
        u"and "
        u"[numero asiento]='1' and periodo='2024' and tipo_reg='C' and idbanco= '007'"_s,
        u"select * from ta_configuracion where clave like 'RptFCh_%'"_s,
        u"Delete ta_configuracion where clave like 'RptFCh_%'"_s,
        u"SELECT TOP 1000 RAZON_SOCIAL,CODIGO FROM VT_PROVEEDORES  with(nolock)  WHERE Dada_De_Baja = 0 "
        u"ORDER BY "
        u"RAZON_SOCIAL"_s,
        u"SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia FROM "
        u"v_ta_familias a   "
        u"Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
        u"Len(LTrim(RTrim(b.IdFamilia))))  "
        u"ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia"_s,
        u"INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) values('31/01/2024 "
        u"10:00:00',"
        u"'A0001','Tornillo','ADMIN')"_s,
        u"BEGIN TRANSACTION \r\rUPDATE ta_configuracion SET Valor = '250' WHERE Clave = 'TopConsArt'\r"_s,
        u"COMMIT TRANSACTION"_s,
        u"ALTER TABLE dbo.MV_ASIENTOS ADD Serie char(1) Null  CONSTRAINT DF_MV_ASIENTOS_Serie DEFAULT ('A')"_s,
        u"ALTER TABLE dbo.TA_BANCOS ADD C int Not Null "_s,
    };
}
