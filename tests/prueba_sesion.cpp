// The session layer against a real Firebird, embedded and through the local server: origin
// snapshots, the apply of an editable result set and the positional copy.
#include <gtest/gtest.h>

#include <optional>

#include "foundation/sesion.h"
#include "tests/soporte/instalacion.h"

namespace velmora {
namespace {

using prueba::Acceso;
using prueba::Consultar;
using prueba::EjecutarSql;

// Source and target share their column order; the target keeps amounts with 4 decimals.
const std::vector<std::string> kTablas = {
    "CREATE TABLE ORIGEN (ID INTEGER NOT NULL PRIMARY KEY, IMPORTE NUMERIC(18,6), "
    "CANTIDAD INTEGER, NOMBRE VARCHAR(20), CODIGO CHAR(5), NOTA BLOB SUB_TYPE TEXT, "
    "FOTO BLOB, FECHA DATE, HORA TIME, MOMENTO TIMESTAMP, FACTOR DOUBLE PRECISION)",
    "CREATE TABLE DESTINO (ID INTEGER NOT NULL PRIMARY KEY, IMPORTE NUMERIC(18,4), "
    "CANTIDAD INTEGER, NOMBRE VARCHAR(20), CODIGO CHAR(5), NOTA BLOB SUB_TYPE TEXT, "
    "FOTO BLOB, FECHA DATE, HORA TIME, MOMENTO TIMESTAMP, FACTOR DOUBLE PRECISION)",
    "CREATE TABLE DESTINO_ANCHO (ID INTEGER NOT NULL, IMPORTE NUMERIC(18,4), CANTIDAD INTEGER, "
    "NOMBRE VARCHAR(20), CODIGO CHAR(5), NOTA BLOB SUB_TYPE TEXT, FOTO BLOB, FECHA DATE, "
    "HORA TIME, MOMENTO TIMESTAMP, FACTOR DOUBLE PRECISION, EXTRA INTEGER)",
    "CREATE TABLE SIN_CLAVE (GRUPO INTEGER, ESTADO VARCHAR(10))",
    // The columns of DESTINO in another order, the key not first.
    "CREATE TABLE DESTINO_REVUELTO (NOMBRE VARCHAR(20), IMPORTE NUMERIC(18,4), "
    "ID INTEGER NOT NULL PRIMARY KEY, FACTOR DOUBLE PRECISION, CANTIDAD INTEGER, CODIGO CHAR(5), "
    "NOTA BLOB SUB_TYPE TEXT, FOTO BLOB, FECHA DATE, HORA TIME, MOMENTO TIMESTAMP)",
    "COMMIT",
    "GRANT ALL ON ORIGEN TO PUBLIC",
    "GRANT ALL ON DESTINO TO PUBLIC",
    "GRANT ALL ON DESTINO_ANCHO TO PUBLIC",
    "GRANT ALL ON SIN_CLAVE TO PUBLIC",
    "GRANT ALL ON DESTINO_REVUELTO TO PUBLIC",
};

std::string TodosLosBytes() {
    std::string b;
    for (int i = 0; i < 256; ++i) b += char(i);
    return b;
}

struct Errores {
    std::vector<ErrorBaseDatos> vistos;
    std::vector<TipoActualizacion> tipos;
};

class Sesiones : public ::testing::TestWithParam<Acceso> {
  protected:
    void SetUp() override {
        ubicacion_ = instalacion_.compania(GetParam(), "001");
        EjecutarSql(ubicacion_, kTablas);
    }

    void Conectar(Conexion& c) {
        c.ubicacion(ubicacion_);
        c.usuario(prueba::kUsuario);
        c.clave(prueba::kClave);
        c.conectar();
    }

    // A target result set whose apply errors are recorded.
    std::unique_ptr<ConjuntoEditable> Destino(const std::string& texto) {
        auto c = std::make_unique<ConjuntoEditable>(nullptr, "CDestino", proveedor_, destino_);
        proveedor_.alFallarActualizacion = [this](ProveedorAplicacion&, ConjuntoEditable&,
                                                  const ErrorBaseDatos& e, TipoActualizacion t) {
            errores_.vistos.push_back(e);
            errores_.tipos.push_back(t);
            return RespuestaError::Abortar;
        };
        c->texto(texto);
        c->abrir();
        return c;
    }

    prueba::Instalacion instalacion_;
    std::string ubicacion_;
    SesionDestino destino_{"DBEnvio"};
    ProveedorAplicacion proveedor_{nullptr, "PDestino"};
    Errores errores_;
};

TEST_P(Sesiones, CopiarCamposLlevaCadaValorPorPosicion) {
    const std::string bytes = TodosLosBytes();
    EjecutarSql(ubicacion_, {"INSERT INTO ORIGEN VALUES (1, 12.345678, 7, 'Caf\xE9 \x80', 'ab', "
                             "'nota', NULL, '2026-03-01', '13:45:10', '2026-03-01 13:45:10', 0.5)",
                             "INSERT INTO ORIGEN (ID) VALUES (2)"});
    {  // The binary blob with every byte value goes in through a parameter of our own.
        Conectar(destino_);
        auto c = Destino("SELECT * FROM ORIGEN WHERE ID = 1");
        c->editar();
        c->asignar("FOTO", Valor(Blob{bytes}));
        c->publicar();
        ASSERT_EQ(c->aplicar(0), 0);
    }

    SesionOrigen origen("DbCia");
    Conectar(origen);
    Transaccion trcia(origen, "Trcia");
    Consulta qcopia(trcia, "QCopia");
    for (int id : {1, 2}) {
        qcopia.texto("select * from origen where id = " + std::to_string(id));
        qcopia.abrir();
        auto c = Destino("SELECT * FROM DESTINO WHERE ID = " + std::to_string(id));
        ASSERT_TRUE(c->vacio());
        c->insertar();
        CopiarCampos(qcopia, *c, 0);
        c->publicar();
        ASSERT_EQ(c->aplicar(0), 0);
        EXPECT_EQ(c->valor(0).comoEntero(), id) << "the posted row stays readable";
    }

    auto filas = Consultar(ubicacion_, "SELECT * FROM DESTINO ORDER BY ID");
    ASSERT_EQ(filas.size(), 2u);
    const auto& lleno = filas[0];
    EXPECT_EQ(lleno[1], Valor(Decimal{123457, -4})) << "12.345678 arrives as 12.3457";
    EXPECT_EQ(lleno[2], Valor(int64_t{7}));
    EXPECT_EQ(lleno[3], Valor("Caf\xE9 \x80")) << "Windows-1252 bytes unchanged";
    EXPECT_EQ(lleno[4], Valor("ab   ")) << "CHAR keeps its padding";
    EXPECT_EQ(lleno[5], Valor(Blob{"nota"}));
    EXPECT_EQ(lleno[6], Valor(Blob{bytes}));
    EXPECT_EQ(lleno[7], Valor(Fecha{2026, 3, 1}));
    EXPECT_EQ(lleno[8], Valor(Hora{13, 45, 10, 0}));
    EXPECT_EQ(lleno[9], Valor(FechaHora{{2026, 3, 1}, {13, 45, 10, 0}}));
    EXPECT_EQ(lleno[10], Valor(0.5));

    const auto& vacio = filas[1];
    EXPECT_EQ(vacio[1], Valor(Decimal{0, -4})) << "a null reaches an exact numeric as 0";
    for (int p = 2; p <= 10; ++p) EXPECT_TRUE(vacio[p].esNulo()) << "position " << p;
}

TEST_P(Sesiones, UnaFilaCambiadaPorOtroUsuarioNoSeEncuentra) {
    EjecutarSql(ubicacion_, {"INSERT INTO DESTINO (ID, NOMBRE) VALUES (1, 'leido')"});
    Conectar(destino_);
    auto c = Destino("SELECT * FROM DESTINO WHERE ID = 1");
    ASSERT_FALSE(c->vacio());
    EjecutarSql(ubicacion_, {"UPDATE DESTINO SET NOMBRE = 'del otro' WHERE ID = 1"});

    c->editar();
    c->asignar("NOMBRE", Valor("mio"));
    c->publicar();
    EXPECT_EQ(c->aplicar(0), 1);

    ASSERT_EQ(errores_.vistos.size(), 1u);
    EXPECT_EQ(errores_.vistos[0].mensaje(), "Registro no encontrado o cambiado por otro usuario");
    EXPECT_EQ(errores_.tipos[0], TipoActualizacion::Modificar);
    EXPECT_EQ(Consultar(ubicacion_, "SELECT NOMBRE FROM DESTINO")[0][0], Valor("del otro"));
}

TEST_P(Sesiones, UnaActualizacionDeDosFilasSeDeshace) {
    EjecutarSql(ubicacion_, {"INSERT INTO SIN_CLAVE VALUES (1, 'igual')",
                             "INSERT INTO SIN_CLAVE VALUES (1, 'igual')"});
    Conectar(destino_);
    auto c = Destino("SELECT * FROM SIN_CLAVE");
    c->editar();
    c->asignar(1, Valor("nuevo"));
    c->publicar();
    EXPECT_EQ(c->aplicar(0), 1);

    ASSERT_EQ(errores_.vistos.size(), 1u);
    EXPECT_EQ(errores_.vistos[0].mensaje(),
              "La actualizaci\xF3n afect\xF3 a m\xE1s de un registro.");
    auto filas = Consultar(ubicacion_, "SELECT ESTADO FROM SIN_CLAVE");
    ASSERT_EQ(filas.size(), 2u);
    EXPECT_EQ(filas[0][0], Valor("igual"));
    EXPECT_EQ(filas[1][0], Valor("igual"));
}

TEST_P(Sesiones, UnaClaveRepetidaDeshaceTodaLaAplicacion) {
    EjecutarSql(ubicacion_, {"INSERT INTO DESTINO (ID) VALUES (1)"});
    Conectar(destino_);
    auto c = Destino("SELECT * FROM DESTINO WHERE ID = 0");
    for (int id : {5, 1}) {  // the first is new, the second repeats a key
        c->insertar();
        c->asignar(0, Valor(id));
        c->publicar();
    }
    EXPECT_EQ(c->aplicar(0), 1);

    ASSERT_EQ(errores_.vistos.size(), 1u);
    EXPECT_EQ(errores_.vistos[0].codigo(), 335544665) << "isc_unique_key_violation";
    EXPECT_NE(errores_.vistos[0].mensaje().find("violation of PRIMARY or UNIQUE KEY"),
              std::string::npos);
    EXPECT_EQ(errores_.tipos[0], TipoActualizacion::Insertar);
    EXPECT_EQ(Consultar(ubicacion_, "SELECT COUNT(*) FROM DESTINO")[0][0], Valor(int64_t{1}));
}

TEST_P(Sesiones, UnDestinoConUnaColumnaMasNoSeCopia) {
    EjecutarSql(ubicacion_, {"INSERT INTO ORIGEN (ID) VALUES (1)"});
    SesionOrigen origen("DbCia");
    Conectar(origen);
    Transaccion trcia(origen, "Trcia");
    Consulta qcopia(trcia, "QCopia");
    qcopia.texto("select * from origen where id = 1");
    qcopia.abrir();
    Conectar(destino_);
    auto c = Destino("SELECT * FROM DESTINO_ANCHO");
    c->insertar();
    try {
        CopiarCampos(qcopia, *c, 0);
        ADD_FAILURE() << "copied";
    } catch (const ErrorEntrada& e) {
        EXPECT_EQ(e.mensaje(),
                  "La tabla DESTINO_ANCHO del destino no tiene las columnas de la del origen: "
                  "falta EXTRA en el origen.");
    }
}

// The same columns in another order: each value goes to the column of its name, and once
// copied the target's positions are the source's, for a new row and for a row read before.
TEST_P(Sesiones, CopiarCamposLlevaCadaValorASuColumnaPorNombre) {
    EjecutarSql(ubicacion_, {"INSERT INTO ORIGEN (ID, IMPORTE, NOMBRE, CODIGO, FACTOR) VALUES "
                             "(1, 12.345678, 'uno', 'ab', 0.5)",
                             "INSERT INTO ORIGEN (ID) VALUES (2)",
                             "INSERT INTO DESTINO_REVUELTO (ID, NOMBRE) VALUES (3, 'viejo')"});
    SesionOrigen origen("DbCia");
    Conectar(origen);
    Transaccion trcia(origen, "Trcia");
    Consulta qcopia(trcia, "QCopia");
    Conectar(destino_);
    for (int id : {1, 2}) {
        qcopia.texto("select * from origen where id = " + std::to_string(id));
        qcopia.abrir();
        auto c = Destino("SELECT * FROM DESTINO_REVUELTO WHERE ID = " + std::to_string(id));
        c->insertar();
        CopiarCampos(qcopia, *c, 0);
        EXPECT_EQ(c->campo(0).columna, "ID");
        EXPECT_EQ(c->campo(3).columna, "NOMBRE");
        c->publicar();
        ASSERT_EQ(c->aplicar(0), 0);
        EXPECT_EQ(c->valor(0).comoEntero(), id);
    }
    // A row read before the copy: every column but the first (the key) comes from the source,
    // and the update finds the row by the values it had.
    qcopia.texto("select * from origen where id = 1");
    qcopia.abrir();
    auto c = Destino("SELECT * FROM DESTINO_REVUELTO WHERE ID = 3");
    ASSERT_FALSE(c->vacio());
    EXPECT_EQ(c->valor(0), Valor("viejo")) << "the table's own order until a copy";
    c->editar();
    CopiarCampos(qcopia, *c, 1);
    c->publicar();
    ASSERT_EQ(c->aplicar(0), 0);
    EXPECT_TRUE(errores_.vistos.empty());

    EXPECT_EQ(Consultar(ubicacion_,
                        "SELECT ID, NOMBRE, IMPORTE, CODIGO, FACTOR, CANTIDAD FROM "
                        "DESTINO_REVUELTO ORDER BY ID"),
              (std::vector<std::vector<Valor>>{
                  {Valor(int64_t{1}), Valor("uno"), Valor(Decimal{123457, -4}), Valor("ab   "),
                   Valor(0.5), Valor()},
                  {Valor(int64_t{2}), Valor(), Valor(Decimal{0, -4}), Valor(), Valor(), Valor()},
                  {Valor(int64_t{3}), Valor("uno"), Valor(Decimal{123457, -4}), Valor("ab   "),
                   Valor(0.5), Valor()}}));
}

TEST_P(Sesiones, BorrarYReleerDespuesDeAplicar) {
    EjecutarSql(ubicacion_, {"INSERT INTO DESTINO (ID, NOMBRE) VALUES (1, 'uno')",
                             "INSERT INTO DESTINO (ID, NOMBRE, NOTA) VALUES (2, 'dos', 'larga')"});
    Conectar(destino_);
    auto c = Destino("SELECT * FROM DESTINO ORDER BY ID");
    EXPECT_EQ(c->cantidadRegistros(), 2);
    c->siguiente();
    c->borrar();  // found by every column but the blob
    EXPECT_EQ(c->aplicar(0), 0);
    EXPECT_TRUE(errores_.vistos.empty());
    c->primero();
    EXPECT_EQ(c->valor("NOMBRE"), Valor("uno"));
    EXPECT_EQ(Consultar(ubicacion_, "SELECT ID FROM DESTINO"),
              (std::vector<std::vector<Valor>>{{Valor(int64_t{1})}}));
}

TEST_P(Sesiones, UnCampoRequeridoSinValorVaAlGanchoDeLaFila) {
    Conectar(destino_);
    auto c = Destino("SELECT * FROM DESTINO WHERE ID = 0");
    std::vector<std::string> vistos;
    c->alFallarPublicar = [&](ConjuntoEditable&, const ErrorBaseDatos& e) {
        vistos.push_back(e.mensaje());
        return RespuestaError::Abortar;
    };
    c->insertar();
    c->asignar("NOMBRE", Valor("sin id"));
    EXPECT_THROW(c->publicar(), AbortoSilencioso);
    EXPECT_EQ(vistos, std::vector<std::string>{"Field 'ID' must have a value"});
}

TEST_P(Sesiones, ElOrigenLeeUnaInstantaneaYConfirmaAlDesconectar) {
    EjecutarSql(ubicacion_, {"INSERT INTO ORIGEN (ID, NOMBRE) VALUES (1, 'antes')"});
    auto origen = std::make_unique<SesionOrigen>("DbCia");
    Conectar(*origen);
    Transaccion trcia(*origen, "Trcia");
    Consulta q(trcia, "QAuditor");
    q.texto("select count(*) from origen");
    q.abrir();
    EXPECT_EQ(q.valor(0).comoEntero(), 1);

    EjecutarSql(ubicacion_, {"INSERT INTO ORIGEN (ID) VALUES (2)"});
    q.abrir();
    EXPECT_EQ(q.valor(0).comoEntero(), 1) << "rows committed after the first read are not seen";

    Consulta marca(trcia, "QCopia");
    marca.texto("UPDATE ORIGEN SET NOMBRE = 'enviado' where ID = 1");
    marca.ejecutar();
    EXPECT_EQ(Consultar(ubicacion_, "SELECT NOMBRE FROM ORIGEN WHERE ID = 1")[0][0],
              Valor("antes"));
    origen->desconectar();
    EXPECT_EQ(Consultar(ubicacion_, "SELECT NOMBRE FROM ORIGEN WHERE ID = 1")[0][0],
              Valor("enviado"));
}

TEST_P(Sesiones, UnaSesionLiberadaConfirmaSuTransaccion) {
    EjecutarSql(ubicacion_, {"INSERT INTO ORIGEN (ID, NOMBRE) VALUES (1, 'antes')"});
    {
        SesionOrigen origen("DbCia");
        Conectar(origen);
        Transaccion trcia(origen, "Trcia");
        Consulta marca(trcia, "QCopia");
        marca.texto("UPDATE ORIGEN SET NOMBRE = 'enviado' where ID = 1");
        marca.ejecutar();
    }
    EXPECT_EQ(Consultar(ubicacion_, "SELECT NOMBRE FROM ORIGEN")[0][0], Valor("enviado"));
}

TEST_P(Sesiones, LasSentenciasDelDestinoSeConfirmanAlTerminar) {
    EjecutarSql(ubicacion_, {"INSERT INTO DESTINO (ID) VALUES (1)"});
    Conectar(destino_);
    SentenciaDestino qcopiades(destino_, "Qcopiades");
    qcopiades.texto("delete from destino where id = 1");
    qcopiades.ejecutar();
    EXPECT_TRUE(Consultar(ubicacion_, "SELECT * FROM DESTINO").empty());
}

// A query keeps thousands of rows (a whole journal) and gives each back as it was, in order,
// nulls and texts included, however far it has to go.
TEST_P(Sesiones, UnaConsultaDeMilesDeFilasLasDevuelveTodasEnOrden) {
    EjecutarSql(ubicacion_,
                {"EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 3000) DO BEGIN "
                 "INSERT INTO ORIGEN (ID, NOMBRE, CANTIDAD, FECHA) VALUES (:I, 'fila ' || :I, "
                 "IIF(MOD(:I, 7) = 0, NULL, :I * 2), DATEADD(:I DAY TO DATE '2026-01-01')); "
                 "I = I + 1; END END"});
    SesionOrigen origen("DbCia");
    Conectar(origen);
    Transaccion trcia(origen, "Trcia");
    Consulta q(trcia, "QAuditor");
    q.texto("select id, nombre, cantidad, fecha from origen order by id");
    q.abrir();

    ASSERT_EQ(q.cantidadRegistros(), 3000);
    int64_t esperado = 0;
    for (q.primero(); !q.fin(); q.siguiente()) {
        ++esperado;
        ASSERT_EQ(q.valor(0).comoEntero(), esperado);
        ASSERT_EQ(q.valor("NOMBRE").comoTexto(), "fila " + std::to_string(esperado));
        ASSERT_EQ(q.valor(2).esNulo(), esperado % 7 == 0);
        if (esperado % 7 != 0) {
            ASSERT_EQ(q.valor(2).comoEntero(), esperado * 2);
        }
    }
    EXPECT_EQ(esperado, 3000);
    q.ultimo();
    EXPECT_EQ(q.valor(3), Valor(Fecha{2034, 3, 20}));
    q.primero();
    EXPECT_EQ(q.valor(1).comoTexto(), "fila 1");
}

// A group's work on the target: visible to its entries at once, to others only at its commit,
// and gone when it is not committed.
TEST_P(Sesiones, ElTrabajoDeUnGrupoSeConfirmaEntero) {
    Conectar(destino_);
    auto leidos = [&] {
        std::vector<std::string> r;
        for (const auto& f : Consultar(ubicacion_, "SELECT NOMBRE FROM DESTINO ORDER BY ID"))
            r.push_back(f[0].comoTexto());
        return r;
    };
    for (bool confirmar : {false, true}) {
        SCOPED_TRACE(confirmar ? "confirmed" : "not confirmed");
        EjecutarSql(ubicacion_, {"DELETE FROM DESTINO"});
        {
            GrupoEntradas entrada(destino_);
            entrada.iniciarEntrada();
            auto c = Destino("SELECT * FROM DESTINO WHERE ID = 1");
            c->insertar();
            c->asignar("ID", Valor(1));
            c->asignar("NOMBRE", Valor("encabezado"));
            ASSERT_EQ(c->aplicar(0), 0);
            destino_.ejecutar("INSERT INTO DESTINO (ID, NOMBRE) VALUES (2, 'detalle')");
            EXPECT_EQ(Destino("SELECT * FROM DESTINO")->cantidadRegistros(), 2)
                << "the entry reads its own writes";
            EXPECT_TRUE(leidos().empty()) << "nobody else sees them before the commit";
            if (confirmar) entrada.confirmar();
        }
        EXPECT_EQ(leidos(), confirmar ? (std::vector<std::string>{"encabezado", "detalle"})
                                      : std::vector<std::string>{});
    }
    // With no group standing, each apply and statement is committed as it completes again.
    destino_.ejecutar("INSERT INTO DESTINO (ID, NOMBRE) VALUES (3, 'suelto')");
    EXPECT_EQ(leidos().back(), "suelto");
}

// An entry undone inside its group leaves nothing, and takes nothing of the entries before or
// after it; an entry that wrote nothing undoes nothing of the one before.
TEST_P(Sesiones, UnaEntradaDeshechaNoTocaLasDemasDelGrupo) {
    Conectar(destino_);
    {
        GrupoEntradas grupo(destino_);
        grupo.iniciarEntrada();
        destino_.ejecutar("INSERT INTO DESTINO (ID, NOMBRE) VALUES (1, 'primera')");

        grupo.iniciarEntrada();
        destino_.ejecutar("INSERT INTO DESTINO (ID, NOMBRE) VALUES (2, 'deshecha')");
        destino_.ejecutar("UPDATE DESTINO SET NOMBRE = 'tocada' WHERE ID = 1");
        grupo.deshacerEntrada();

        grupo.iniciarEntrada();
        EXPECT_EQ(Destino("SELECT * FROM DESTINO")->cantidadRegistros(), 1);
        grupo.deshacerEntrada();

        grupo.iniciarEntrada();
        destino_.ejecutar("INSERT INTO DESTINO (ID, NOMBRE) VALUES (3, 'tercera')");
        grupo.confirmar();

        grupo.iniciarEntrada();
        destino_.ejecutar("INSERT INTO DESTINO (ID, NOMBRE) VALUES (4, 'sin confirmar')");
    }
    EXPECT_EQ(Consultar(ubicacion_, "SELECT ID, NOMBRE FROM DESTINO ORDER BY ID"),
              (std::vector<std::vector<Valor>>{{Valor(int64_t{1}), Valor("primera")},
                                               {Valor(int64_t{3}), Valor("tercera")}}));
}

// Inside an entry a failed apply undoes its own changes and only those.
TEST_P(Sesiones, UnaAplicacionFallidaDentroDeLaEntradaSoloSeDeshaceASiMisma) {
    EjecutarSql(ubicacion_,
                {"INSERT INTO SIN_CLAVE VALUES (1, 'a')", "INSERT INTO SIN_CLAVE VALUES (1, 'a')"});
    Conectar(destino_);
    {
        GrupoEntradas entrada(destino_);
        entrada.iniciarEntrada();
        auto primera = Destino("SELECT * FROM DESTINO WHERE ID = 1");
        primera->insertar();
        primera->asignar("ID", Valor(1));
        ASSERT_EQ(primera->aplicar(0), 0);

        // Two inserts, the second with the key of the first: both go.
        auto dos = Destino("SELECT * FROM DESTINO WHERE ID = 2");
        for (int i = 0; i < 2; ++i) {
            dos->insertar();
            dos->asignar("ID", Valor(2));
            dos->publicar();
        }
        EXPECT_EQ(dos->aplicar(0), 1);

        // An update that touched two rows goes too.
        auto doble = Destino("SELECT * FROM SIN_CLAVE");
        doble->editar();
        doble->asignar("ESTADO", Valor("b"));
        EXPECT_EQ(doble->aplicar(0), 1);

        auto tercera = Destino("SELECT * FROM DESTINO WHERE ID = 3");
        tercera->insertar();
        tercera->asignar("ID", Valor(3));
        ASSERT_EQ(tercera->aplicar(0), 0);
        entrada.confirmar();
    }
    EXPECT_EQ(Consultar(ubicacion_, "SELECT ID FROM DESTINO ORDER BY ID"),
              (std::vector<std::vector<Valor>>{{Valor(int64_t{1})}, {Valor(int64_t{3})}}));
    EXPECT_EQ(Consultar(ubicacion_, "SELECT ESTADO FROM SIN_CLAVE"),
              (std::vector<std::vector<Valor>>{{Valor("a")}, {Valor("a")}}));
    ASSERT_EQ(errores_.vistos.size(), 2u);
    EXPECT_EQ(errores_.vistos[1].mensaje(),
              "La actualizaci\xF3n afect\xF3 a m\xE1s de un registro.");
}

// Values that cannot stand where a statement puts them are the data's failures; the rest
// are not.
TEST_P(Sesiones, LosErroresDeDatosSeReconocen) {
    Conectar(destino_);
    struct Caso {
        std::string texto;
        bool deDatos;
    } casos[] = {
        {"SELECT * FROM DESTINO WHERE ID = 'ABC'", true},
        {"SELECT * FROM DESTINO WHERE ID = 99999999999", true},
        {"INSERT INTO DESTINO (ID, CODIGO) VALUES (1, 'demasiado largo')", true},
        {"INSERT INTO DESTINO (ID) VALUES (NULL)", true},
        {"SELECT * FROM DESTINO WHERE FECHA = '2026-13-45'", true},
        {"SELECT * FROM NO_EXISTE", false},
        {"SELECT * FROM DESTINO WHERE", false},
    };
    for (const auto& caso : casos) {
        try {
            if (caso.texto.rfind("SELECT", 0) == 0)
                Destino(caso.texto)->vacio();
            else
                destino_.ejecutar(caso.texto);
            ADD_FAILURE() << caso.texto << " ran";
        } catch (const ErrorBaseDatos& e) {
            EXPECT_EQ(e.esErrorDeDatos(), caso.deDatos) << caso.texto << ": " << e.mensaje();
        }
    }
}

// Statement texts carry their values as literals; the layer prepares each form once and
// passes the values as parameters, with the results the literals give.
TEST_P(Sesiones, LosValoresDeUnTextoDanLoMismoQueSusLiterales) {
    EjecutarSql(ubicacion_,
                {"INSERT INTO DESTINO (ID, NOMBRE, FECHA) VALUES (1, 'uno', '2026-02-01')",
                 "INSERT INTO DESTINO (ID, NOMBRE, IMPORTE) VALUES (2, 'dos', 12.5)",
                 "INSERT INTO DESTINO (ID, NOMBRE, CODIGO) VALUES (3, 'O''B', '7')",
                 "INSERT INTO DESTINO (ID, NOMBRE, CANTIDAD, IMPORTE) "
                 "VALUES (4, 'menor', -2147483648, -12.5)",
                 "INSERT INTO DESTINO (ID, NOMBRE, CANTIDAD, IMPORTE) VALUES (5, '-- x; /* y */', "
                 "2147483647, 0.25)"});
    Conectar(destino_);
    struct Caso {
        std::string texto;
        std::vector<std::string> nombres;
    } casos[] = {
        {"SELECT NOMBRE FROM DESTINO WHERE ID = 1", {"uno"}},
        {"SELECT NOMBRE FROM DESTINO WHERE ID = 2", {"dos"}},
        {"SELECT NOMBRE FROM DESTINO WHERE NOMBRE = 'O''B'", {"O'B"}},
        {"SELECT NOMBRE FROM DESTINO WHERE NOMBRE = 'un texto mucho m\xE1s largo que la columna'",
         {}},
        {"SELECT NOMBRE FROM DESTINO WHERE CODIGO = 7", {"O'B"}},  // a number against CHAR(5)
        {"SELECT NOMBRE, 1 FROM DESTINO WHERE ID = 1", {"uno"}},   // a literal in the select list
        {"SELECT NOMBRE FROM DESTINO WHERE ID IN (1, 3) ORDER BY ID", {"uno", "O'B"}},
        {"SELECT NOMBRE FROM DESTINO WHERE IMPORTE = 12.5", {"dos"}},
        {"SELECT NOMBRE FROM DESTINO WHERE FECHA >= '2026-01-01'", {"uno"}},
        {"SELECT \"NOMBRE\" FROM DESTINO WHERE ID = 3", {"O'B"}},
        // Signs, the extremes of an integer column, operators without spaces.
        {"SELECT NOMBRE FROM DESTINO WHERE CANTIDAD = -2147483648", {"menor"}},
        {"SELECT NOMBRE FROM DESTINO WHERE CANTIDAD=2147483647", {"-- x; /* y */"}},
        {"SELECT NOMBRE FROM DESTINO WHERE CANTIDAD<=-1", {"menor"}},
        {"SELECT NOMBRE FROM DESTINO WHERE IMPORTE = -12.5", {"menor"}},
        {"SELECT NOMBRE FROM DESTINO WHERE IMPORTE = +0.25", {"-- x; /* y */"}},
        {"SELECT NOMBRE FROM DESTINO WHERE IMPORTE>-13 AND IMPORTE<-12 ", {"menor"}},
        {"SELECT NOMBRE FROM DESTINO WHERE ID = 6-2", {"menor"}},
        {"SELECT NOMBRE FROM DESTINO WHERE ID = 3 -2 ORDER BY ID", {"uno"}},
        {"SELECT NOMBRE FROM DESTINO WHERE ID IN (-1,4) ORDER BY ID", {"menor"}},
        // Comment markers and semicolons inside quotes are text; outside, the server's.
        {"SELECT NOMBRE FROM DESTINO WHERE NOMBRE = '-- x; /* y */'", {"-- x; /* y */"}},
        {"SELECT NOMBRE FROM DESTINO WHERE NOMBRE = 'O''B' -- ' OR 1 = 1", {"O'B"}},
        {"SELECT NOMBRE FROM DESTINO /* ' */ WHERE ID = 5", {"-- x; /* y */"}},
    };
    for (const auto& caso : casos) {
        auto c = Destino(caso.texto);
        std::vector<std::string> nombres;
        for (c->primero(); !c->fin(); c->siguiente()) nombres.push_back(c->valor(0).comoTexto());
        EXPECT_EQ(nombres, caso.nombres) << caso.texto;
    }

    const size_t antes = destino_.sentenciasPreparadas();
    for (int id = 10; id < 60; ++id)
        Destino("SELECT NOMBRE FROM DESTINO WHERE ID = " + std::to_string(id))->vacio();
    EXPECT_EQ(destino_.sentenciasPreparadas(), antes) << "one prepared form for every id";
}

INSTANTIATE_TEST_SUITE_P(Accesos, Sesiones, ::testing::Values(Acceso::Embebido, Acceso::Servidor),
                         [](const auto& info) { return prueba::NombreAcceso(info.param); });

// Failures to connect keep the server's code and text.
TEST(Conexiones, LosErroresGuardanElCodigoYElTextoDelServidor) {
    prueba::Instalacion instalacion;
    struct Caso {
        std::string ubicacion, usuario, clave;
        long codigo;
        std::string texto;
    } casos[] = {
        {instalacion.ruta("datos/999/velmora.fdb"), prueba::kUsuario, "", 335544344,
         "I/O error during \"open\" operation for file"},
        {instalacion.compania(Acceso::Servidor, "001"), prueba::kUsuario, "mala", 335544472,
         "Your user name and password are not defined"},
    };
    for (const auto& caso : casos) {
        SesionOrigen s("DbCia");
        s.ubicacion(caso.ubicacion);
        s.usuario(caso.usuario);
        s.clave(caso.clave);
        try {
            s.conectar();
            ADD_FAILURE() << caso.ubicacion << " connected";
        } catch (const ErrorBaseDatos& e) {
            EXPECT_EQ(e.codigo(), caso.codigo) << e.mensaje();
            EXPECT_NE(e.mensaje().find(caso.texto), std::string::npos) << e.mensaje();
        }
    }
}

// Credentials are Windows-1252 bytes, like every text of the programs; the client gets them
// in the one form it reads whatever the locale (a test runs in the C locale).
TEST(Conexiones, UnaClaveConLetrasFueraDeAsciiConecta) {
    prueba::Instalacion instalacion;
    SesionOrigen s("DbCia");
    s.ubicacion(instalacion.compania(Acceso::Servidor, "001"));
    s.usuario(prueba::kUsuarioAcento);
    s.clave(prueba::kClaveAcento);
    EXPECT_NO_THROW(s.conectar());
}

// The client would take a user or a password left out of a connection from ISC_USER and
// ISC_PASSWORD; the credentials given, empty ones included, are the ones used.
TEST(Conexiones, LasCredencialesVaciasNoSeTomanDelEntorno) {
    prueba::Instalacion instalacion;
    setenv("ISC_USER", prueba::kUsuario, 1);
    setenv("ISC_PASSWORD", prueba::kClave, 1);
    struct Caso {
        std::string usuario, clave;
    } casos[] = {{prueba::kUsuario, ""}, {"", prueba::kClave}, {"", ""}};
    for (const auto& caso : casos) {
        SesionOrigen s("DbGeneraldes");
        s.ubicacion(instalacion.compania(Acceso::Servidor, "001"));
        s.usuario(caso.usuario);
        s.clave(caso.clave);
        EXPECT_THROW(s.conectar(), ErrorBaseDatos) << "user '" << caso.usuario << "'";
    }
    unsetenv("ISC_USER");
    unsetenv("ISC_PASSWORD");
}

}  // namespace
}  // namespace velmora
