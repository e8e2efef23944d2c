#include "bench/cargas.h"

#include "tests/soporte/instalacion.h"

namespace velmora::banco {

const char* NombreCarga(Carga carga) {
    switch (carga) {
        case Carga::Facturas:
            return "facturas";
        case Carga::Mixta:
            return "mixta";
        case Carga::SinManejador:
            return "sin-manejador";
    }
    return "?";
}

Clase ClaseDe(Carga carga, int i) {
    if (carga == Carga::Facturas) return Clase::Factura;
    if (carga == Carga::SinManejador) return Clase::SinManejador;
    static constexpr Clase kCiclo[] = {Clase::Factura, Clase::Comprobante, Clase::Recibo,
                                       Clase::Cuenta, Clase::Unidades};
    return kCiclo[(i - 1) % 5];
}

namespace {

long FilasDe(Clase c, int k) {
    switch (c) {
        case Clase::Factura:
        case Clase::Comprobante:
            return 1 + k;
        case Clase::Recibo:
            return 1 + k + kPagosPorRecibo;
        case Clase::Cuenta:
            return 1;
        case Clase::Unidades:
            return k;
        case Clase::SinManejador:
            return 0;
    }
    return 0;
}

const char kConteoDestino[] =
    "SELECT (SELECT COUNT(*) FROM FACTURAS) + (SELECT COUNT(*) FROM FACTURAS_DETALLE) + "
    "(SELECT COUNT(*) FROM COMPROBANTE_ENCABEZADO) + (SELECT COUNT(*) FROM COMPROBANTE_DETALLE) + "
    "(SELECT COUNT(*) FROM RECIBOS_CAJA) + (SELECT COUNT(*) FROM RECIBOS_CAJA_DETALLE) + "
    "(SELECT COUNT(*) FROM RECIBOS_CAJA_PAGO) + (SELECT COUNT(*) FROM CUENTAS) + "
    "(SELECT COUNT(*) FROM UNIDAD_ARTICULO), (SELECT COUNT(*) FROM AUDITORIA), "
    "(SELECT COUNT(*) FROM RECIBOS_CAJA_DETALLE d JOIN FACTURAS f ON f.FACT_ID = d.RCDE_IDDOC "
    "AND f.PREF_PRE = d.RCDE_PREFDOC AND f.FACT_NUMERO = d.RCDE_NUMDOC) FROM RDB$DATABASE";

}  // namespace

long Lote::filasDocumento() const {
    long n = 0;
    for (int i = 1; i <= entradas; ++i) n += FilasDe(ClaseDe(carga, i), detalles);
    return n;
}

long Lote::referencias() const {
    long n = 0;
    for (int i = 1; i <= entradas; ++i)
        if (ClaseDe(carga, i) == Clase::Recibo) n += detalles;
    return n;
}

std::string BloqueOrigen(const Lote& lote) {
    const std::string n = std::to_string(lote.entradas), k = std::to_string(lote.detalles);
    std::string b =
        "EXECUTE BLOCK AS\n"
        "DECLARE i INTEGER = 1;\n"
        "DECLARE j INTEGER;\n"
        "DECLARE p INTEGER;\n"
        "DECLARE num CHAR(6);\n"
        "DECLARE cla VARCHAR(20);\n"
        "DECLARE fecha DATE;\n"
        "DECLARE hora TIME;\n"
        "BEGIN\n"
        "  WHILE (i <= " +
        n +
        ") DO BEGIN\n"
        "    num = LPAD(CAST(i AS VARCHAR(6)), 6, '0');\n"
        "    fecha = DATEADD(DAY, i / 86400, DATE '2026-03-02');\n"
        "    hora = DATEADD(SECOND, MOD(i, 86400), TIME '00:00:00');\n";
    b += lote.carga == Carga::Facturas       ? "    p = 0;\n"
         : lote.carga == Carga::SinManejador ? "    p = 5;\n"
                                             : "    p = MOD(i - 1, 5);\n";
    b +=
        "    IF (p = 0) THEN BEGIN\n"
        "      INSERT INTO FACTURAS (FACT_ID, PREF_PRE, FACT_NUMERO, FACT_FECHA, TERC_NIT,\n"
        "        FACT_SUBTOTAL, FACT_TOTAL, FACT_TASACAMBIO, FACT_OBSERVACION)\n"
        "        VALUES (:i, 'FV', :num, '2026-03-02', '900123', 100.50, 116.60, 1.234567,\n"
        "        'observaci\xF3n');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO FACTURAS_DETALLE (FACT_ID, FADE_ITEM, ARTI_COD, FADE_CANTIDAD,\n"
        "          FADE_FACTOR, FADE_PRECIO, FADE_TOTAL, FADE_CANTDEV)\n"
        "          VALUES (:i, :j, 'A00' || :j, :j, 1.123456, 10.5, 10.50, 7);\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 31, :i, 'I', 'FV' || :num,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 1) THEN BEGIN\n"
        "      INSERT INTO COMPROBANTE_ENCABEZADO (ENCO_CONSEC, TICO_COD, PRCO_PREF, ENCO_NUMERO,\n"
        "        ENCO_FECHA, ENCO_DESCRIPCION, TERC_NIT, ENCO_TOTAL, ENCO_IMPRESO, ENCO_DEBITOS,\n"
        "        ENCO_CREDITOS, ENCO_ORIGEN, ENCO_USUARIO, ENCO_CREADO, ENCO_OBSERVACION)\n"
        "        VALUES (:i, 'CD', 'CO', :num, '2026-03-02', 'comprobante de diario', '900123',\n"
        "        100.00, 2, 100.00, 100.00, 'CONTABILIDAD', 'ANA', '2026-03-02 10:00:00', "
        "'nota');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO COMPROBANTE_DETALLE (ENCO_CONSEC, CODE_ITEM, CUEN_COD, TERC_NIT,\n"
        "          CCOS_COD, CODE_DETALLE, CODE_DEBITO, CODE_CREDITO, CODE_BASE, CODE_DOCREF,\n"
        "          CODE_FECHAVENCE)\n"
        "          VALUES (:i, :j, '110505', '900123', '01', 'movimiento ' || :j, 10.00, 0, 0,\n"
        "          'FV' || :num, '2026-04-02');\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 1, :i, 'I', 'CO' || :num,\n"
        "        'N', 'CD', 'banco');\n"
        "    END\n"
        "    IF (p = 2) THEN BEGIN\n"
        "      INSERT INTO RECIBOS_CAJA (RECA_ID, PREF_PRE, RECA_NUMERO, RECA_FECHA, TERC_NIT,\n"
        "        CAJA_COD, RECA_CONCEPTO, RECA_VALOR, RECA_OBSERVACION)\n"
        "        VALUES (:i, 'RC', :num, '2026-03-02', '900123', '01', 'abono', 52.50, 'recibo');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO RECIBOS_CAJA_DETALLE (RECA_ID, RCDE_ITEM, TIDO_COD, RCDE_IDDOC,\n"
        "          RCDE_PREFDOC, RCDE_NUMDOC, RCDE_VALOR, RCDE_DESCUENTO, RCDE_RETENCION,\n"
        "          RCDE_SALDOANT)\n"
        "          VALUES (:i, :j, 31, :i - 2, 'FV', LPAD(CAST(:i - 2 AS VARCHAR(6)), 6, '0'),\n"
        "          10.50, 0, 0, 116.60);\n"
        "        j = j + 1;\n"
        "      END\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        std::to_string(kPagosPorRecibo) +
        ") DO BEGIN\n"
        "        INSERT INTO RECIBOS_CAJA_PAGO (RECA_ID, RCPA_ITEM, FOPA_COD, BANC_COD,\n"
        "          RCPA_DOCUMENTO, RCPA_FECHA, RCPA_VALOR)\n"
        "          VALUES (:i, :j, 'EF', '07', 'CH' || :num, '2026-03-02', 26.25);\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 61, :i, 'I', 'RC' || :num,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 3) THEN BEGIN\n"
        "      cla = '11' || LPAD(CAST(i AS VARCHAR(8)), 8, '0');\n"
        "      INSERT INTO CUENTAS (CUEN_COD, CUEN_NOMBRE, CUEN_NIVEL, CUEN_NATURALEZA,\n"
        "        CUEN_AUXILIAR, CUEN_TERCERO, CUEN_CCOSTO, CUEN_PORCRETE, CUEN_BASERETE, "
        "CUEN_ACTIVA)\n"
        "        VALUES (:cla, 'Cuenta ' || :i, 4, 'D', 'S', 'N', 'N', 0.1100, 100000.00, 'S');\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 100, 0, 'I', :cla,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 4) THEN BEGIN\n"
        "      cla = 'AR' || LPAD(CAST(i AS VARCHAR(8)), 8, '0');\n"
        "      j = 1;\n"
        "      WHILE (j <= " +
        k +
        ") DO BEGIN\n"
        "        INSERT INTO UNIDAD_ARTICULO (ARTI_COD, UNAR_UNIDAD, UNAR_NOMBRE, UNAR_FACTOR,\n"
        "          UNAR_PESO, UNAR_PRINCIPAL)\n"
        "          VALUES (:cla, 'U' || :j, 'Unidad ' || :j, :j, 0.5, IIF(:j = 1, 'S', 'N'));\n"
        "        j = j + 1;\n"
        "      END\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, 124, 0, 'M', :cla,\n"
        "        'N', NULL, 'banco');\n"
        "    END\n"
        "    IF (p = 5) THEN\n"
        "      INSERT INTO AUDITORIA VALUES (:i, 'ANA', :fecha, :hora, " +
        std::to_string(kTipoSinManejador) +
        ", :i, 'I', 'XX' || :num,\n"
        "        'N', NULL, 'banco');\n"
        "    i = i + 1;\n"
        "  END\n"
        "END";
    return b;
}

Conteo Contar(const std::string& ubicacion) {
    const auto fila = prueba::Consultar(ubicacion, kConteoDestino).at(0);
    return {long(fila[0].comoEntero()), long(fila[1].comoEntero()), long(fila[2].comoEntero())};
}

}  // namespace velmora::banco
