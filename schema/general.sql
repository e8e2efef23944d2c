/*
 * General database of an installation: the users of the application and the
 * companies, whose code is also the directory of each company database.
 */

/* Users of the application */
CREATE TABLE usuario (
    usua_cod          VARCHAR(10) NOT NULL,
    usua_nombre       VARCHAR(60),
    CONSTRAINT PK_USUARIO PRIMARY KEY (usua_cod)
);

/* Companies: the column order is read by position, keep it */
CREATE TABLE COMPANIA (
    COMP_COD          VARCHAR(3) NOT NULL,
    COM_NOMBRE        VARCHAR(80),
    COMP_NIT          VARCHAR(20),
    COMP_LOGO         BLOB SUB_TYPE BINARY,
    COMP_DIR          VARCHAR(140),
    COMP_TELS         VARCHAR(140),
    COMP_ENCABEZADO   VARCHAR(140),
    CONSTRAINT PK_COMPANIA PRIMARY KEY (COMP_COD)
);

GRANT ALL ON usuario TO PUBLIC;
GRANT ALL ON COMPANIA TO PUBLIC;

COMMIT;
