#include "foundation/errores.h"
#include "transfer/familias.h"

namespace velmora {

bool Despachar(const EntradaAuditoria& entrada, const OpcionesCopia& opciones,
               ComponentesCopia& c) {
    const DescriptorTipoDoc* tipo = BuscarTipoDoc(entrada.tipo);
    if (!tipo) return false;
    switch (tipo->familia) {
        case Familia::Comprobante:
            return CopiarComprobante(*tipo, entrada, opciones, c);
        case Familia::Maestros:
            return CopiarMaestro(*tipo, entrada, opciones, c);
        case Familia::Referencias:
            return CopiarConReferencias(*tipo, entrada, opciones, c);
        case Familia::VariosDetalles:
            if (tipo->referenciasEnPrimerDetalle)
                return CopiarConReferencias(*tipo, entrada, opciones, c);
            return CopiarDocumento(*tipo, entrada, opciones, c);
        case Familia::Documento:
        case Familia::Bancos:
            return CopiarDocumento(*tipo, entrada, opciones, c);
    }
    return false;
}

bool DespacharEntrada(const EntradaAuditoria& entrada, const OpcionesCopia& opciones,
                      ComponentesCopia& c, Dialogos& dialogos, const std::string& descripcion) {
    try {
        return Despachar(entrada, opciones, c);
    } catch (const ErrorBaseDatos& error) {
        // The procedure stopped halfway: nothing it left open or pending belongs to the next.
        c.qCopia.cerrar();
        c.qCopiadet.cerrar();
        c.cDestino.cerrar();
        c.cIdfact.cerrar();
        if (error.esCancelacion()) throw;
        if (error.esBloqueo()) {
            dialogos.mensaje("El documento " + descripcion +
                             " est\xE1 siendo modificado por otro usuario.");
            return true;
        }
        if (!error.esErrorDeDatos() && !dynamic_cast<const ErrorEntrada*>(&error)) throw;
        dialogos.mensaje(TextoErrorNoManejado(error.mensaje()));
        return true;
    }
}

}  // namespace velmora
