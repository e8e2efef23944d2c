// The data error hooks wired over a window's components: what a person sees when a row
// is refused by Firebird or by the result set itself.
#include <gtest/gtest.h>

#include "foundation/errores.h"
#include "foundation/sesion.h"
#include "tests/soporte/dialogos_grabados.h"
#include "tests/soporte/instalacion.h"

namespace velmora {
namespace {

class ManejoDeErrores : public ::testing::Test {
  protected:
    void SetUp() override {
        ubicacion_ = instalacion_.compania(prueba::Acceso::Servidor, "001");
        prueba::EjecutarSql(
            ubicacion_,
            {"CREATE TABLE MARCA (ID INTEGER NOT NULL PRIMARY KEY, NOMBRE VARCHAR(20) NOT NULL, "
             "NOTA VARCHAR(20))",
             "COMMIT", "GRANT ALL ON MARCA TO PUBLIC",
             "INSERT INTO MARCA VALUES (1, 'uno', NULL)"});
        destino_.ubicacion(ubicacion_);
        destino_.usuario(prueba::kUsuario);
        destino_.clave(prueba::kClave);
        destino_.conectar();
        ConfigurarProviders(ventana_, dialogos_);
        cdestino_.texto("SELECT * FROM MARCA");
        cdestino_.abrir();
    }

    prueba::Instalacion instalacion_;
    std::string ubicacion_;
    DialogosGrabados dialogos_;
    SesionDestino destino_{"DBEnvio"};
    Componente ventana_{nullptr, "Tfprincipal"};
    ProveedorAplicacion pdestino_{&ventana_, "PDestino"};
    ConjuntoEditable cdestino_{&ventana_, "CDestino", pdestino_, destino_};
};

TEST_F(ManejoDeErrores, UnaAplicacionFallidaMuestraElTextoElPitidoYElTextoSinSuUltimoCaracter) {
    cdestino_.insertar();
    cdestino_.asignar(0, Valor(1));
    cdestino_.asignar(1, Valor("repetido"));
    cdestino_.publicar();
    ASSERT_EQ(cdestino_.aplicar(0), 1);

    ASSERT_EQ(dialogos_.llamadas().size(), 3u);
    const std::string texto = dialogos_.llamadas()[0].texto;
    EXPECT_NE(texto.find("violation of PRIMARY or UNIQUE KEY"), std::string::npos) << texto;
    EXPECT_EQ(
        dialogos_.llamadas(),
        (std::vector<Llamada>{Mensaje(texto), Pitido(), Error(texto.substr(0, texto.size() - 1))}));
}

TEST_F(ManejoDeErrores, UnaFilaSinSusCamposObligatoriosTerminaEnSilencio) {
    cdestino_.insertar();
    cdestino_.asignar("NOTA", Valor("sin id ni nombre"));
    EXPECT_THROW(cdestino_.publicar(), AbortoSilencioso);
    // Both required fields are empty, each name followed by ", ".
    EXPECT_EQ(dialogos_.llamadas(),
              (std::vector<Llamada>{Mensaje("Field 'ID' must have a value"), Pitido(),
                                    Error("Los campos ID, NOMBRE,  son obligatorios.")}));
}

TEST_F(ManejoDeErrores, OtroErrorDeFilaMuestraUnDialogoDeErrorVacio) {
    cdestino_.texto("SELECT * FROM MARCA WHERE ID = 99");
    cdestino_.abrir();
    EXPECT_THROW(cdestino_.editar(), AbortoSilencioso);
    EXPECT_EQ(dialogos_.llamadas(),
              (std::vector<Llamada>{Mensaje("Cannot perform this operation on an empty dataset"),
                                    Pitido(), Error("")}));
}

TEST(ConfigurarProviders, RecorreLosComponentesYDesciendeEnLosQueTienenComponentes) {
    DialogosGrabados dialogos;
    Componente ventana(nullptr, "Tfprincipal");
    Componente grupo(&ventana, "Datos");
    ProveedorAplicacion pdestino(&grupo, "PDestino");
    Campo marca;
    marca.nombre = "F_1";
    ConjuntoEditable ctipodoc(&ventana, "Ctipodoc", {marca});
    ConfigurarProviders(ventana, dialogos);
    EXPECT_TRUE(pdestino.alFallarActualizacion);
    EXPECT_TRUE(ctipodoc.alFallarPublicar);
    EXPECT_TRUE(ctipodoc.alFallarEditar);
    EXPECT_TRUE(ctipodoc.alFallarBorrar);
}

}  // namespace
}  // namespace velmora
