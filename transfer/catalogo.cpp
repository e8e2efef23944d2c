#include "transfer/catalogo.h"

#include <algorithm>

namespace velmora {

namespace {

// A document: its detail tables carry the header's id column, first.
DescriptorTipoDoc Documento(int codigo, std::string encabezado, std::string id, std::string prefijo,
                            std::string numero, std::string anulado, std::string vista,
                            std::vector<std::string> detalles, Familia familia,
                            int posicionEnCero = -1, bool referenciasEnPrimerDetalle = false) {
    DescriptorTipoDoc d;
    d.codigo = codigo;
    d.tablaEncabezado = std::move(encabezado);
    d.columnaId = std::move(id);
    d.columnaPrefijo = std::move(prefijo);
    d.columnaNumero = std::move(numero);
    d.columnaAnulado = std::move(anulado);
    d.vistaNuevoId = std::move(vista);
    for (auto& t : detalles) d.detalles.push_back({std::move(t), d.columnaId});
    d.familia = familia;
    d.llave = familia == Familia::Comprobante ? Llave::Comprobante
              : familia == Familia::Bancos    ? Llave::Banco
                                              : Llave::Prefijo;
    d.posicionEnCero = posicionEnCero;
    d.referenciasEnPrimerDetalle = referenciasEnPrimerDetalle;
    return d;
}

// Master data: the key value identifies the record in every database.
DescriptorTipoDoc Maestro(int codigo, std::string tabla, std::string clave, Llave llave,
                          Forma forma, FilasMaestro filas = {}, std::string tablaBorrado = {},
                          bool actualizaSinMoneda = false) {
    DescriptorTipoDoc d;
    d.codigo = codigo;
    d.tablaEncabezado = std::move(tabla);
    d.columnaId = clave;
    d.columnaPrefijo = std::move(clave);
    d.familia = Familia::Maestros;
    d.llave = llave;
    d.forma = forma;
    d.filas = std::move(filas);
    d.filas.tablaBorrado = std::move(tablaBorrado);
    d.actualizaSinMoneda = actualizaSinMoneda;
    return d;
}

// clang-format off
const std::vector<DescriptorTipoDoc> kCatalogo = {
    // code, header table, id column, prefix column, number column, annul column, new-id view,
    // detail tables in copy order, family [, detail position set to 0 [, references in the
    // first detail table]]
    Documento(1, "COMPROBANTE_ENCABEZADO", "ENCO_CONSEC", "PRCO_PREF", "ENCO_NUMERO", "", "cambie_id_comproba", {"COMPROBANTE_DETALLE"}, Familia::Comprobante),
    Documento(11, "ENTRADAS", "ENTR_ID", "PREF_PRE", "ENTR_NUMERO", "ENTR_ANULADO", "cambie_id_entrada", {"ENTRADAS_DETALLE"}, Familia::Documento),
    Documento(12, "SALIDAS", "SALI_ID", "PREF_PRE", "SALI_NUMERO", "SALI_ANULADO", "cambie_id_salida", {"SALIDAS_DETALLE"}, Familia::Documento),
    Documento(13, "TRASFERENCIAS", "TRAN_ID", "PREF_PRE", "TRAN_NUMERO", "TRAN_ANULADO", "cambie_id_transfer", {"TRASFERENCIAS_DETALLE"}, Familia::Documento),
    Documento(14, "AJUSTES", "AJUS_ID", "PREF_PRE", "AJUS_NUMERO", "AJUS_ANULADO", "cambie_id_ajusteinv", {"AJUSTES_DETALLE"}, Familia::Documento),
    Documento(15, "ENSAMBLES", "ENSA_ID", "PREF_PRE", "ENSA_NUMERO", "ENSA_ANULADO", "cambie_id_ensamble", {"ENSAMBLES_DETALLE"}, Familia::Documento),
    Documento(16, "DESENSAMBLES", "DESE_ID", "PREF_PRE", "DESE_NUMERO", "DESE_ANULADO", "cambie_id_desensamble", {"DESENSAMBLES_DETALLE"}, Familia::Documento),
    Documento(17, "RESERVAS", "RESE_ID", "PREF_PRE", "RESE_NUMERO", "RESE_ANULADO", "cambie_id_reserva", {"RESERVAS_DETALLE"}, Familia::Documento),
    Documento(18, "ORDENES_INVENTARIO", "ORIN_ID", "PREF_PRE", "ORIN_NUMERO", "ORIN_ANULADO", "cambie_id_ordenmcia", {"ORDENINVENTARIO_DETALLE"}, Familia::Documento),
    Documento(21, "FACTURAS_COMPRA", "FACO_ID", "PREF_PRE", "FACO_NUMERO", "FACO_ANULADO", "cambie_id_compras", {"FACTURAS_COMPRAS_DETALLE"}, Familia::Documento, 18),
    Documento(22, "REMISION_PROVEEDOR", "REPR_ID", "PREF_PRE", "REPR_NUMERO", "REPR_ANULADO", "cambie_id_remiprov", {"REMISION_PROVEEDOR_DET"}, Familia::Documento),
    Documento(23, "ORDENES_COMPRA", "ORDC_ID", "PREF_PRE", "ORDC_NUMERO", "ORDC_ANULADO", "cambie_id_ordencomp", {"ORDENES_COMPRA_DETALLE"}, Familia::Documento),
    Documento(24, "DEVOLUCIONES_COMPRAS", "DVCO_ID", "PREF_PRE", "DVCO_NUMERO", "DVCO_ANULADO", "cambie_id_devolprov", {"DEVOLUCIONES_COMPRAS_DET"}, Familia::Referencias),
    Documento(25, "COTIZACION_PROVEEDOR", "COPR_ID", "PREF_PRE", "COPR_NUMERO", "COPR_ANULADO", "cambie_id_coticomp", {"COTIZACIONES_PROVEEDOR_DET"}, Familia::Documento),
    Documento(31, "FACTURAS", "FACT_ID", "PREF_PRE", "FACT_NUMERO", "FACT_ANULADO", "cambie_id_factura", {"FACTURAS_DETALLE"}, Familia::Documento, 18),
    Documento(32, "REMISIONES_VENTA", "REVT_ID", "PREF_PRE", "REVT_NUMERO", "REVT_ANULADO", "cambie_id_remiclie", {"REMISIONES_VENTA_DETALLE"}, Familia::Documento),
    Documento(33, "DEVOLUCIONES_VENTAS", "DEVT_ID", "PREF_PRE", "DEVT_NUMERO", "DEVT_ANULADO", "cambie_id_devolclie", {"DEVOLUCIONES_VENTAS_DETALLE"}, Familia::Referencias),
    Documento(34, "PEDIDOS", "PEDI_ID", "PREF_PRE", "PEDI_NUMERO", "PEDI_ANULADO", "cambie_id_pedido", {"PEDIDOS_DETALLE"}, Familia::Documento),
    Documento(35, "COTIZACIONES", "COTI_ID", "PREF_PRE", "COTI_NUMERO", "COTI_ANULADO", "cambie_id_cotizaci", {"COTIZACIONES_DETALLE"}, Familia::Documento),
    Documento(41, "NOTAS_DEBITO_CLIENTES", "NDCL_ID", "PREF_PRE", "NDCL_NUMERO", "NDCL_ANULADO", "cambie_id_notadbclie", {}, Familia::Documento),
    Documento(42, "NOTAS_CREDITO_CLIENTES", "NCCL_ID", "PREF_PRE", "NCCL_NUMERO", "NCCL_ANULADO", "cambie_id_notacrclie", {}, Familia::Documento),
    Documento(43, "APLICACION_CLIENTE", "APCL_ID", "PREF_PRE", "APCL_NUMERO", "APCL_ANULADO", "cambie_id_apliclie", {"APLICACION_CLIENTE_DETALLE"}, Familia::Referencias),
    Documento(45, "ANTICIPOS_CLIENTE", "ANCL_ID", "PREF_PRE", "ANCL_NUMERO", "ANCL_ANULADO", "cambie_id_anticlie", {}, Familia::Referencias),
    Documento(51, "NOTAS_DEBITO_PROVEEDOR", "NDPR_ID", "PREF_PRE", "NDPR_NUMERO", "NDPR_ANULADO", "cambie_id_notadbprov", {}, Familia::Documento),
    Documento(52, "NOTAS_CREDITO_PROVEEDOR", "NCPR_ID", "PREF_PRE", "NCPR_NUMERO", "NCPR_ANULADO", "cambie_id_notacrprov", {}, Familia::Documento),
    Documento(53, "APLICACION_PROVEDOR", "APPR_ID", "PREF_PRE", "APPR_NUMERO", "APPR_ANULADO", "cambie_id_apliprov", {"APLICACION_PROVEEDOR_DETALLE"}, Familia::Referencias),
    Documento(55, "ANTICIPOS_PROVEEDOR", "ANPR_ID", "PREF_PRE", "ANPR_NUMERO", "ANPR_ANULADO", "cambie_id_antiprov", {}, Familia::Referencias),
    Documento(61, "RECIBOS_CAJA", "RECA_ID", "PREF_PRE", "RECA_NUMERO", "RECA_ANULADO", "cambie_id_recicaja", {"RECIBOS_CAJA_DETALLE", "RECIBOS_CAJA_PAGO"}, Familia::VariosDetalles, -1, true),
    Documento(62, "EGRESOS", "EGRE_ID", "PREF_PRE", "EGRE_NUMERO", "EGRE_ANULADO", "cambie_id_egreso", {"EGRESOS_DETALLE", "EGRESOS_CAJA", "EGRESOS_BANCO", "EGRESOS_CONTABILIDAD"}, Familia::VariosDetalles, -1, true),
    Documento(63, "CAMBIO_DOCUMENTOS", "CADO_ID", "PREF_PRE", "CADO_NUMERO", "CADO_ANULADO", "cambie_id_cambdocu", {"CAMBIODOC_ENTRADAS", "CAMBIODOC_SALIDAS"}, Familia::VariosDetalles),
    Documento(64, "CONSIGNA_TARJETAS", "COTJ_ID", "PREF_PRE", "COTJ_NUMERO", "COTJ_ANULADO", "cambie_id_consignatar", {"CONSIGNA_TARJETAS_DET"}, Familia::Documento),
    Documento(65, "RECIBO_PROVISIONAL", "RCPR_ID", "PREF_PRE", "RCPR_NUMERO", "RCPR_ANULADO", "cambie_id_reciprov", {"RECIBO_PROVISIONAL_DETALLE", "RECIBO_PROVISIONAL_PAGO"}, Familia::VariosDetalles),
    Documento(66, "TRASLADOS_CAJA", "TRCJ_ID", "PREF_PRE", "TRCJ_NUMERO", "TRCJ_ANULADO", "cambie_id_traslacaja", {"TRASLADOS_CAJA_DET"}, Familia::Documento),
    Documento(71, "CONSIGNA", "CONS_ID", "PRBA_PREF", "CONS_NUMERO", "CONS_ANULADO", "cambie_id_consigna", {"CONSIGNA_DETALLE"}, Familia::Bancos),
    Documento(72, "CHEQUES", "CHEQ_ID", "PRBA_PREF", "CHEQ_NUMERO", "CHEQ_ANULADO", "cambie_id_cheque", {}, Familia::Bancos),
    Documento(73, "RETIROS", "RETI_ID", "PRBA_PREF", "RETI_NUMERO", "RETI_ANULADO", "cambie_id_retiro", {}, Familia::Bancos),
    Documento(74, "NOTAS_DEBITO", "NDBC_ID", "PRBA_PREF", "NDBC_NUMERO", "NDBC_ANULADO", "cambie_id_nota_db_banco", {}, Familia::Bancos),
    Documento(75, "NOTAS_CREDITO", "NCBC_ID", "PRBA_PREF", "NCBC_NUMERO", "NCBC_ANULADO", "cambie_id_nota_cr_banco", {}, Familia::Bancos),
    Documento(76, "TRASLADOS", "TRAS_ID", "PRBA_PREF", "TRAS_NUMERO", "TRAS_ANULADO", "cambie_id_traslado", {}, Familia::Bancos),
    Documento(77, "DEVOLUCION_CHEQUES", "DVCH_ID", "PRBA_PREF", "DVCH_NUMDOC", "DVCH_ANULADO", "cambie_id_dev_cheques", {}, Familia::Bancos),

    // code, table, key column, key value, rows [, second table or row key (column, position,
    // quoted) [, table cleared by a 'D' entry [, update without the currency path]]]
    Maestro(100, "CUENTAS", "CUEN_COD", Llave::CodigoCitado, Forma::UnRegistro),
    Maestro(101, "ARTICULO", "ARTI_COD", Llave::CodigoCitado, Forma::UnRegistro, {}, "", true),
    Maestro(102, "TERCEROS", "TERC_NIT", Llave::CodigoCitado, Forma::UnRegistro),
    Maestro(103, "CLIENTES", "TERC_NIT", Llave::CodigoCitado, Forma::UnRegistro),
    Maestro(104, "PROVEEDORES", "TERC_NIT", Llave::CodigoCitado, Forma::UnRegistro),
    Maestro(105, "COBRADORES", "COBR_COD", Llave::CodigoSolo, Forma::UnRegistro),
    Maestro(106, "VENDEDORES", "VEND_COD", Llave::CodigoSolo, Forma::UnRegistro),
    Maestro(111, "INTERFAZ_BANCOS", "INBA_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_BANCOS_CTAS", "INBC_ITEM", 1, false}),
    Maestro(112, "INTERFAZ_CAJA", "INCJ_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_CAJA_CTAS", "INJC_ITEM", 1, false}),
    Maestro(113, "INTERFAZ_CARTERA", "INCA_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_CARTERA_CTAS", "INCD_ITEM", 1, false}),
    Maestro(114, "INTERFAZ_COMPRAS", "INCO_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_COMPRAS_CTAS", "INCC_ITEM", 1, false}),
    Maestro(115, "INTERFAZ_CXPAGAR", "INCP_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_CXPAGAR_CTAS", "INPC_ITEM", 1, false}),
    Maestro(116, "INTERFAZ_INVENTARIO", "ININ_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_INVENTARIO_CTAS", "INIC_ITEM", 1, false}),
    Maestro(117, "INTERFAZ_VENTAS", "INVE_ID", Llave::Id, Forma::EncabezadoConItems, {"INTERFAZ_VENTAS_CTAS", "INVC_ITEM", 1, false}),
    Maestro(124, "UNIDAD_ARTICULO", "ARTI_COD", Llave::CodigoCitado, Forma::FilasArticulo, {"", "UNAR_UNIDAD", 1, true}, "unidad_articulo"),
    Maestro(125, "BARRAS_ARTICULO", "ARTI_COD", Llave::CodigoCitado, Forma::FilasArticulo, {"", "COBA_COD", 1, true}, "BARRAS_ARTICULO"),
    Maestro(126, "PRECIOS_ARTICULO", "ARTI_COD", Llave::CodigoCitado, Forma::FilasArticulo, {"", "LIPR_COD", 0, true}, "PRECIOS_ARTICULO"),
    Maestro(127, "CONTABIL_ARTICULO", "ARTI_COD", Llave::CodigoCitado, Forma::FilasArticulo),
    Maestro(128, "ARTICULOS_PRODUCTO", "ARTI_COD", Llave::CodigoCitado, Forma::FilasArticulo, {"", "ARPR_ITEM", 1, false}, "articulos_producto"),
    Maestro(129, "MARCAS", "MARC_COD", Llave::CodigoCitado, Forma::UnRegistro),
};
// clang-format on

}  // namespace

const std::vector<DescriptorTipoDoc>& Catalogo() {
    return kCatalogo;
}

const DescriptorTipoDoc* BuscarTipoDoc(int codigo) {
    auto it = std::find_if(kCatalogo.begin(), kCatalogo.end(),
                           [codigo](const DescriptorTipoDoc& d) { return d.codigo == codigo; });
    return it == kCatalogo.end() ? nullptr : &*it;
}

}  // namespace velmora
