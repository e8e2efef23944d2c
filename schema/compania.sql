/*
 * Company database: documents, master data, journal and configuration.
 * The same script builds every company database and the empty transfer template.
 *
 * Rows travel between databases by column position, so the column order of every
 * table is part of the contract: add new columns at the end only, never in between.
 *
 * Conventions:
 *  - a header's id is its first column; each detail table starts with that same id
 *    column, followed by its item number;
 *  - PREF_PRE / PRCO_PREF / PRBA_PREF VARCHAR(14), numbers CHAR(6), annul flags
 *    CHAR(1) 'N'/'S';
 *  - the business key (prefix + number, plus voucher type or bank account) is indexed
 *    but deliberately NOT unique, and there are no foreign keys: the transfer programs
 *    remove detail rows themselves, and must cope with duplicated document numbers;
 *  - a descending index on every header id keeps MAX(id) in the cambie_id_ views cheap.
 */

/* Everything below runs as one transaction: much faster than a commit per statement. */
SET AUTODDL OFF;

/* ===================================================================== */
/* Accounting vouchers                                                   */
/* ===================================================================== */

CREATE TABLE COMPROBANTE_ENCABEZADO (
    ENCO_CONSEC       INTEGER NOT NULL,
    TICO_COD          CHAR(3) NOT NULL,            /* voucher type */
    PRCO_PREF         VARCHAR(14) NOT NULL,
    ENCO_NUMERO       CHAR(6) NOT NULL,
    ENCO_FECHA        DATE,                        /* checked against the lock date */
    ENCO_DESCRIPCION  VARCHAR(120),
    TERC_NIT          VARCHAR(20),
    ENCO_TOTAL        NUMERIC(15,2),
    ENCO_IMPRESO      INTEGER DEFAULT 0,           /* times printed; a copy starts at 0 */
    ENCO_DEBITOS      NUMERIC(15,2),
    ENCO_CREDITOS     NUMERIC(15,2),
    ENCO_ORIGEN       VARCHAR(20),                 /* module that generated the voucher */
    ENCO_USUARIO      VARCHAR(10),
    ENCO_CREADO       TIMESTAMP,
    ENCO_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_ENCO PRIMARY KEY (ENCO_CONSEC)
);

CREATE TABLE COMPROBANTE_DETALLE (
    ENCO_CONSEC       INTEGER NOT NULL,
    CODE_ITEM         INTEGER NOT NULL,
    CUEN_COD          VARCHAR(16),
    TERC_NIT          VARCHAR(20),
    CCOS_COD          VARCHAR(6),
    CODE_DETALLE      VARCHAR(80),
    CODE_DEBITO       NUMERIC(15,2),
    CODE_CREDITO      NUMERIC(15,2),
    CODE_BASE         NUMERIC(15,2),
    CODE_DOCREF       VARCHAR(20),
    CODE_FECHAVENCE   DATE,
    CONSTRAINT PK_CODE PRIMARY KEY (ENCO_CONSEC, CODE_ITEM)
);

/* ===================================================================== */
/* Inventory documents                                                   */
/* ===================================================================== */

CREATE TABLE ENTRADAS (
    ENTR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    ENTR_NUMERO       CHAR(6) NOT NULL,
    ENTR_FECHA        DATE,
    ENTR_HORA         TIME,
    BODE_COD          VARCHAR(4),
    TERC_NIT          VARCHAR(20),
    ENTR_CONCEPTO     VARCHAR(60),
    ENTR_DOCREF       VARCHAR(20),
    ENTR_TOTAL        NUMERIC(15,2),
    ENTR_CONTABILIZADO CHAR(1) DEFAULT 'N',
    ENTR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    ENTR_IMPRESO      SMALLINT DEFAULT 0,
    ENTR_USUARIO      VARCHAR(10),
    ENTR_CREADO       TIMESTAMP,
    ENTR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_ENTR PRIMARY KEY (ENTR_ID)
);

CREATE TABLE ENTRADAS_DETALLE (
    ENTR_ID           INTEGER NOT NULL,
    ENDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    ENDE_CANTIDAD     NUMERIC(18,4),
    ENDE_COSTO        NUMERIC(18,4),
    ENDE_TOTAL        NUMERIC(15,2),
    ENDE_LOTE         VARCHAR(20),
    ENDE_FECHAVENCE   DATE,
    ENDE_NOTA         VARCHAR(255),
    CONSTRAINT PK_ENDE PRIMARY KEY (ENTR_ID, ENDE_ITEM)
);

CREATE TABLE SALIDAS (
    SALI_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    SALI_NUMERO       CHAR(6) NOT NULL,
    SALI_FECHA        DATE,
    SALI_HORA         TIME,
    BODE_COD          VARCHAR(4),
    TERC_NIT          VARCHAR(20),
    CCOS_COD          VARCHAR(6),
    SALI_CONCEPTO     VARCHAR(60),
    SALI_DOCREF       VARCHAR(20),
    SALI_TOTAL        NUMERIC(15,2),
    SALI_CONTABILIZADO CHAR(1) DEFAULT 'N',
    SALI_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    SALI_IMPRESO      SMALLINT DEFAULT 0,
    SALI_USUARIO      VARCHAR(10),
    SALI_CREADO       TIMESTAMP,
    SALI_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_SALI PRIMARY KEY (SALI_ID)
);

CREATE TABLE SALIDAS_DETALLE (
    SALI_ID           INTEGER NOT NULL,
    SADE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    SADE_CANTIDAD     NUMERIC(18,4),
    SADE_COSTO        NUMERIC(18,4),
    SADE_TOTAL        NUMERIC(15,2),
    SADE_LOTE         VARCHAR(20),
    SADE_NOTA         VARCHAR(255),
    CONSTRAINT PK_SADE PRIMARY KEY (SALI_ID, SADE_ITEM)
);

CREATE TABLE TRASFERENCIAS (
    TRAN_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    TRAN_NUMERO       CHAR(6) NOT NULL,
    TRAN_FECHA        DATE,
    TRAN_HORA         TIME,
    BODE_ORIGEN       VARCHAR(4),
    BODE_DESTINO      VARCHAR(4),
    TRAN_CONCEPTO     VARCHAR(60),
    TRAN_TOTAL        NUMERIC(15,2),
    TRAN_RECIBIDO     CHAR(1) DEFAULT 'N',
    TRAN_FECHARECIBE  DATE,
    TRAN_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    TRAN_IMPRESO      SMALLINT DEFAULT 0,
    TRAN_USUARIO      VARCHAR(10),
    TRAN_CREADO       TIMESTAMP,
    TRAN_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_TRAN PRIMARY KEY (TRAN_ID)
);

CREATE TABLE TRASFERENCIAS_DETALLE (
    TRAN_ID           INTEGER NOT NULL,
    TRDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    UNAR_UNIDAD       VARCHAR(6),
    TRDE_CANTIDAD     NUMERIC(18,4),
    TRDE_CANTRECIBIDA NUMERIC(18,4),
    TRDE_COSTO        NUMERIC(18,4),
    TRDE_TOTAL        NUMERIC(15,2),
    TRDE_LOTE         VARCHAR(20),
    TRDE_NOTA         VARCHAR(255),
    CONSTRAINT PK_TRDE PRIMARY KEY (TRAN_ID, TRDE_ITEM)
);

CREATE TABLE AJUSTES (
    AJUS_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    AJUS_NUMERO       CHAR(6) NOT NULL,
    AJUS_FECHA        DATE,
    AJUS_HORA         TIME,
    BODE_COD          VARCHAR(4),
    AJUS_MOTIVO       VARCHAR(60),
    AJUS_TOTAL        NUMERIC(15,2),
    AJUS_CONTABILIZADO CHAR(1) DEFAULT 'N',
    AJUS_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    AJUS_IMPRESO      SMALLINT DEFAULT 0,
    AJUS_USUARIO      VARCHAR(10),
    AJUS_CREADO       TIMESTAMP,
    AJUS_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_AJUS PRIMARY KEY (AJUS_ID)
);

CREATE TABLE AJUSTES_DETALLE (
    AJUS_ID           INTEGER NOT NULL,
    AJDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    UNAR_UNIDAD       VARCHAR(6),
    AJDE_TIPO         CHAR(1),                     /* E: adds stock, S: removes it */
    AJDE_EXISTENCIA   NUMERIC(18,4),               /* stock before the adjustment */
    AJDE_CANTIDAD     NUMERIC(18,4),
    AJDE_COSTO        NUMERIC(18,4),
    AJDE_TOTAL        NUMERIC(15,2),
    AJDE_LOTE         VARCHAR(20),
    CONSTRAINT PK_AJDE PRIMARY KEY (AJUS_ID, AJDE_ITEM)
);

CREATE TABLE ENSAMBLES (
    ENSA_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    ENSA_NUMERO       CHAR(6) NOT NULL,
    ENSA_FECHA        DATE,
    ENSA_HORA         TIME,
    BODE_COD          VARCHAR(4),
    ARTI_COD          VARCHAR(20),                 /* assembled product */
    ENSA_CANTIDAD     NUMERIC(18,4),
    ENSA_COSTO        NUMERIC(18,4),
    ENSA_CONTABILIZADO CHAR(1) DEFAULT 'N',
    ENSA_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    ENSA_USUARIO      VARCHAR(10),
    ENSA_CREADO       TIMESTAMP,
    ENSA_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_ENSA PRIMARY KEY (ENSA_ID)
);

CREATE TABLE ENSAMBLES_DETALLE (
    ENSA_ID           INTEGER NOT NULL,
    ESDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),                 /* component consumed */
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    ESDE_CANTIDAD     NUMERIC(18,4),
    ESDE_COSTO        NUMERIC(18,4),
    ESDE_TOTAL        NUMERIC(15,2),
    CONSTRAINT PK_ESDE PRIMARY KEY (ENSA_ID, ESDE_ITEM)
);

CREATE TABLE DESENSAMBLES (
    DESE_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    DESE_NUMERO       CHAR(6) NOT NULL,
    DESE_FECHA        DATE,
    DESE_HORA         TIME,
    BODE_COD          VARCHAR(4),
    ARTI_COD          VARCHAR(20),                 /* product taken apart */
    DESE_CANTIDAD     NUMERIC(18,4),
    DESE_COSTO        NUMERIC(18,4),
    DESE_CONTABILIZADO CHAR(1) DEFAULT 'N',
    DESE_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    DESE_USUARIO      VARCHAR(10),
    DESE_CREADO       TIMESTAMP,
    DESE_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_DESE PRIMARY KEY (DESE_ID)
);

CREATE TABLE DESENSAMBLES_DETALLE (
    DESE_ID           INTEGER NOT NULL,
    DSDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),                 /* component recovered */
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    DSDE_CANTIDAD     NUMERIC(18,4),
    DSDE_COSTO        NUMERIC(18,4),
    DSDE_TOTAL        NUMERIC(15,2),
    CONSTRAINT PK_DSDE PRIMARY KEY (DESE_ID, DSDE_ITEM)
);

CREATE TABLE RESERVAS (
    RESE_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    RESE_NUMERO       CHAR(6) NOT NULL,
    RESE_FECHA        DATE,
    RESE_HORA         TIME,
    BODE_COD          VARCHAR(4),
    TERC_NIT          VARCHAR(20),
    VEND_COD          INTEGER,
    RESE_FECHAVENCE   DATE,                        /* reservation expires */
    RESE_TOTAL        NUMERIC(15,2),
    RESE_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    RESE_USUARIO      VARCHAR(10),
    RESE_CREADO       TIMESTAMP,
    RESE_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_RESE PRIMARY KEY (RESE_ID)
);

CREATE TABLE RESERVAS_DETALLE (
    RESE_ID           INTEGER NOT NULL,
    RSDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    RSDE_CANTIDAD     NUMERIC(18,4),
    RSDE_CANTENTREGADA NUMERIC(18,4),
    RSDE_PRECIO       NUMERIC(18,4),
    RSDE_TOTAL        NUMERIC(15,2),
    CONSTRAINT PK_RSDE PRIMARY KEY (RESE_ID, RSDE_ITEM)
);

CREATE TABLE ORDENES_INVENTARIO (
    ORIN_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    ORIN_NUMERO       CHAR(6) NOT NULL,
    ORIN_FECHA        DATE,
    ORIN_HORA         TIME,
    BODE_ORIGEN       VARCHAR(4),
    BODE_DESTINO      VARCHAR(4),
    ORIN_SOLICITANTE  VARCHAR(60),
    ORIN_FECHAENTREGA DATE,
    ORIN_ESTADO       CHAR(1) DEFAULT 'P',         /* P pending, C completed */
    ORIN_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    ORIN_USUARIO      VARCHAR(10),
    ORIN_CREADO       TIMESTAMP,
    ORIN_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_ORIN PRIMARY KEY (ORIN_ID)
);

CREATE TABLE ORDENINVENTARIO_DETALLE (
    ORIN_ID           INTEGER NOT NULL,
    OIDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    UNAR_UNIDAD       VARCHAR(6),
    OIDE_CANTIDAD     NUMERIC(18,4),
    OIDE_CANTDESPACHADA NUMERIC(18,4),
    OIDE_NOTA         VARCHAR(255),
    CONSTRAINT PK_OIDE PRIMARY KEY (ORIN_ID, OIDE_ITEM)
);

/* ===================================================================== */
/* Purchasing documents                                                  */
/* ===================================================================== */

CREATE TABLE FACTURAS_COMPRA (
    FACO_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    FACO_NUMERO       CHAR(6) NOT NULL,
    FACO_FECHA        DATE,
    FACO_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    FACO_FACTPROV     VARCHAR(20),                 /* the supplier's own invoice number */
    FACO_FECHAVENCE   DATE,
    FACO_PLAZO        SMALLINT,
    FACO_SUBTOTAL     NUMERIC(15,2),
    FACO_DESCUENTO    NUMERIC(15,2),
    FACO_IVA          NUMERIC(15,2),
    FACO_RETEFUENTE   NUMERIC(15,2),
    FACO_RETEIVA      NUMERIC(15,2),
    FACO_RETEICA      NUMERIC(15,2),
    FACO_FLETES       NUMERIC(15,2),
    FACO_TOTAL        NUMERIC(15,2),
    FACO_SALDO        NUMERIC(15,2),
    FACO_TASACAMBIO   NUMERIC(18,6),
    FACO_MONEDA       CHAR(3),
    FACO_CONTABILIZADO CHAR(1) DEFAULT 'N',
    FACO_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    FACO_IMPRESO      SMALLINT DEFAULT 0,
    FACO_USUARIO      VARCHAR(10),
    FACO_CREADO       TIMESTAMP,
    FACO_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_FACO PRIMARY KEY (FACO_ID)
);

CREATE TABLE FACTURAS_COMPRAS_DETALLE (
    FACO_ID           INTEGER NOT NULL,            /*  0 */
    FCDE_ITEM         INTEGER NOT NULL,            /*  1 */
    ARTI_COD          VARCHAR(20),                 /*  2 */
    FCDE_DESCRIPCION  VARCHAR(80),                 /*  3 */
    BODE_COD          VARCHAR(4),                  /*  4 */
    UNAR_UNIDAD       VARCHAR(6),                  /*  5 */
    FCDE_CANTIDAD     NUMERIC(18,4),               /*  6 */
    FCDE_FACTOR       NUMERIC(18,6),               /*  7: units per base unit */
    FCDE_COSTO        NUMERIC(18,4),               /*  8 */
    FCDE_PORCDESC     NUMERIC(5,2),                /*  9 */
    FCDE_DESCUENTO    NUMERIC(15,2),               /* 10 */
    FCDE_PORCIVA      NUMERIC(5,2),                /* 11 */
    FCDE_IVA          NUMERIC(15,2),               /* 12 */
    FCDE_FLETE        NUMERIC(15,2),               /* 13 */
    FCDE_TOTAL        NUMERIC(15,2),               /* 14 */
    CUEN_COD          VARCHAR(16),                 /* 15 */
    CCOS_COD          VARCHAR(6),                  /* 16 */
    FCDE_LOTE         VARCHAR(20),                 /* 17 */
    FCDE_CANTDEV      NUMERIC(18,4) DEFAULT 0,     /* 18: returned so far; a copy starts at 0 */
    FCDE_FECHAVENCE   DATE,                        /* 19 */
    FCDE_PESO         DOUBLE PRECISION,            /* 20 */
    FCDE_NOTA         VARCHAR(255),                /* 21 */
    CONSTRAINT PK_FCDE PRIMARY KEY (FACO_ID, FCDE_ITEM)
);

CREATE TABLE REMISION_PROVEEDOR (
    REPR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    REPR_NUMERO       CHAR(6) NOT NULL,
    REPR_FECHA        DATE,
    REPR_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    REPR_REMIPROV     VARCHAR(20),                 /* the supplier's delivery note number */
    REPR_TOTAL        NUMERIC(15,2),
    REPR_FACTURADA    CHAR(1) DEFAULT 'N',
    REPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    REPR_USUARIO      VARCHAR(10),
    REPR_CREADO       TIMESTAMP,
    REPR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_REPR PRIMARY KEY (REPR_ID)
);

CREATE TABLE REMISION_PROVEEDOR_DET (
    REPR_ID           INTEGER NOT NULL,
    RPDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    RPDE_CANTIDAD     NUMERIC(18,4),
    RPDE_COSTO        NUMERIC(18,4),
    RPDE_TOTAL        NUMERIC(15,2),
    RPDE_CANTFACTURADA NUMERIC(18,4),
    RPDE_LOTE         VARCHAR(20),
    CONSTRAINT PK_RPDE PRIMARY KEY (REPR_ID, RPDE_ITEM)
);

CREATE TABLE ORDENES_COMPRA (
    ORDC_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    ORDC_NUMERO       CHAR(6) NOT NULL,
    ORDC_FECHA        DATE,
    ORDC_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    ORDC_FECHAENTREGA DATE,
    ORDC_PLAZO        SMALLINT,
    ORDC_SUBTOTAL     NUMERIC(15,2),
    ORDC_IVA          NUMERIC(15,2),
    ORDC_TOTAL        NUMERIC(15,2),
    ORDC_ESTADO       CHAR(1) DEFAULT 'P',         /* P pending, R received, C closed */
    ORDC_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    ORDC_IMPRESO      SMALLINT DEFAULT 0,
    ORDC_USUARIO      VARCHAR(10),
    ORDC_CREADO       TIMESTAMP,
    ORDC_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_ORDC PRIMARY KEY (ORDC_ID)
);

CREATE TABLE ORDENES_COMPRA_DETALLE (
    ORDC_ID           INTEGER NOT NULL,
    OCDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    UNAR_UNIDAD       VARCHAR(6),
    OCDE_CANTIDAD     NUMERIC(18,4),
    OCDE_COSTO        NUMERIC(18,4),
    OCDE_PORCDESC     NUMERIC(5,2),
    OCDE_PORCIVA      NUMERIC(5,2),
    OCDE_TOTAL        NUMERIC(15,2),
    OCDE_CANTRECIBIDA NUMERIC(18,4),
    CONSTRAINT PK_OCDE PRIMARY KEY (ORDC_ID, OCDE_ITEM)
);

CREATE TABLE DEVOLUCIONES_COMPRAS (
    DVCO_ID           INTEGER NOT NULL,            /*  0 */
    PREF_PRE          VARCHAR(14) NOT NULL,        /*  1 */
    DVCO_NUMERO       CHAR(6) NOT NULL,            /*  2 */
    DVCO_FECHA        DATE,                        /*  3 */
    DVCO_HORA         TIME,                        /*  4 */
    TERC_NIT          VARCHAR(20),                 /*  5 */
    BODE_COD          VARCHAR(4),                  /*  6 */
    DVCO_CONCEPTO     VARCHAR(60),                 /*  7 */
    DVCO_SUBTOTAL     NUMERIC(15,2),               /*  8 */
    DVCO_DESCUENTO    NUMERIC(15,2),               /*  9 */
    DVCO_IVA          NUMERIC(15,2),               /* 10 */
    DVCO_RETEFUENTE   NUMERIC(15,2),               /* 11 */
    DVCO_RETEIVA      NUMERIC(15,2),               /* 12 */
    DVCO_RETEICA      NUMERIC(15,2),               /* 13 */
    DVCO_FLETES       NUMERIC(15,2),               /* 14 */
    DVCO_TOTAL        NUMERIC(15,2),               /* 15 */
    DVCO_COSTO        NUMERIC(18,4),               /* 16 */
    DVCO_TASACAMBIO   NUMERIC(18,6),               /* 17 */
    DVCO_MONEDA       CHAR(3),                     /* 18 */
    DVCO_CONTABILIZADO CHAR(1) DEFAULT 'N',        /* 19 */
    DVCO_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,/* 20 */
    DVCO_IMPRESO      SMALLINT DEFAULT 0,          /* 21 */
    DVCO_USUARIO      VARCHAR(10),                 /* 22 */
    DVCO_CREADO       TIMESTAMP,                   /* 23 */
    FACO_ID           INTEGER,                     /* 24: id of the returned invoice */
    DVCO_FACTURA      VARCHAR(20),                 /* 25: its prefix + number */
    DVCO_OBSERVACION  BLOB SUB_TYPE TEXT,          /* 26 */
    CONSTRAINT PK_DVCO PRIMARY KEY (DVCO_ID)
);

CREATE TABLE DEVOLUCIONES_COMPRAS_DET (
    DVCO_ID           INTEGER NOT NULL,
    DCDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    DCDE_CANTIDAD     NUMERIC(18,4),
    DCDE_COSTO        NUMERIC(18,4),
    DCDE_PORCIVA      NUMERIC(5,2),
    DCDE_IVA          NUMERIC(15,2),
    DCDE_TOTAL        NUMERIC(15,2),
    DCDE_ITEMFACTURA  INTEGER,                     /* line of the returned invoice */
    DCDE_LOTE         VARCHAR(20),
    CONSTRAINT PK_DCDE PRIMARY KEY (DVCO_ID, DCDE_ITEM)
);

CREATE TABLE COTIZACION_PROVEEDOR (
    COPR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    COPR_NUMERO       CHAR(6) NOT NULL,
    COPR_FECHA        DATE,
    TERC_NIT          VARCHAR(20),
    COPR_VIGENCIA     DATE,
    COPR_PLAZO        SMALLINT,
    COPR_TOTAL        NUMERIC(15,2),
    COPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    COPR_USUARIO      VARCHAR(10),
    COPR_CREADO       TIMESTAMP,
    COPR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_COPR PRIMARY KEY (COPR_ID)
);

CREATE TABLE COTIZACIONES_PROVEEDOR_DET (
    COPR_ID           INTEGER NOT NULL,
    CPDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    UNAR_UNIDAD       VARCHAR(6),
    CPDE_CANTIDAD     NUMERIC(18,4),
    CPDE_COSTO        NUMERIC(18,4),
    CPDE_PORCDESC     NUMERIC(5,2),
    CPDE_TOTAL        NUMERIC(15,2),
    CPDE_DIASENTREGA  SMALLINT,
    CONSTRAINT PK_CPDE PRIMARY KEY (COPR_ID, CPDE_ITEM)
);

/* ===================================================================== */
/* Sales documents                                                       */
/* ===================================================================== */

CREATE TABLE FACTURAS (
    FACT_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    FACT_NUMERO       CHAR(6) NOT NULL,
    FACT_FECHA        DATE,
    FACT_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    VEND_COD          INTEGER,
    COBR_COD          INTEGER,
    BODE_COD          VARCHAR(4),
    LIPR_COD          VARCHAR(4),
    FACT_FECHAVENCE   DATE,
    FACT_PLAZO        SMALLINT,
    FACT_SUBTOTAL     NUMERIC(15,2),
    FACT_DESCUENTO    NUMERIC(15,2),
    FACT_IVA          NUMERIC(15,2),
    FACT_RETEFUENTE   NUMERIC(15,2),
    FACT_RETEIVA      NUMERIC(15,2),
    FACT_RETEICA      NUMERIC(15,2),
    FACT_FLETES       NUMERIC(15,2),
    FACT_TOTAL        NUMERIC(15,2),
    FACT_SALDO        NUMERIC(15,2),
    FACT_COSTO        NUMERIC(18,4),
    FACT_TASACAMBIO   NUMERIC(18,6),
    FACT_MONEDA       CHAR(3),
    FACT_CONTADO      CHAR(1) DEFAULT 'N',
    FACT_CONTABILIZADO CHAR(1) DEFAULT 'N',
    FACT_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    FACT_IMPRESO      SMALLINT DEFAULT 0,
    FACT_USUARIO      VARCHAR(10),
    FACT_CREADO       TIMESTAMP,
    FACT_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_FACT PRIMARY KEY (FACT_ID)
);

CREATE TABLE FACTURAS_DETALLE (
    FACT_ID           INTEGER NOT NULL,            /*  0 */
    FADE_ITEM         INTEGER NOT NULL,            /*  1 */
    ARTI_COD          VARCHAR(20),                 /*  2 */
    FADE_DESCRIPCION  VARCHAR(80),                 /*  3 */
    BODE_COD          VARCHAR(4),                  /*  4 */
    UNAR_UNIDAD       VARCHAR(6),                  /*  5 */
    FADE_CANTIDAD     NUMERIC(18,4),               /*  6 */
    FADE_FACTOR       NUMERIC(18,6),               /*  7: units per base unit */
    FADE_PRECIO       NUMERIC(18,4),               /*  8 */
    FADE_PORCDESC     NUMERIC(5,2),                /*  9 */
    FADE_DESCUENTO    NUMERIC(15,2),               /* 10 */
    FADE_PORCIVA      NUMERIC(5,2),                /* 11 */
    FADE_IVA          NUMERIC(15,2),               /* 12 */
    FADE_COSTO        NUMERIC(18,4),               /* 13 */
    FADE_TOTAL        NUMERIC(15,2),               /* 14 */
    LIPR_COD          VARCHAR(4),                  /* 15 */
    VEND_COD          INTEGER,                     /* 16 */
    FADE_LOTE         VARCHAR(20),                 /* 17 */
    FADE_CANTDEV      NUMERIC(18,4) DEFAULT 0,     /* 18: returned so far; a copy starts at 0 */
    FADE_FECHAVENCE   DATE,                        /* 19 */
    FADE_PESO         DOUBLE PRECISION,            /* 20 */
    FADE_NOTA         VARCHAR(255),                /* 21 */
    CONSTRAINT PK_FADE PRIMARY KEY (FACT_ID, FADE_ITEM)
);

CREATE TABLE REMISIONES_VENTA (
    REVT_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    REVT_NUMERO       CHAR(6) NOT NULL,
    REVT_FECHA        DATE,
    REVT_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    VEND_COD          INTEGER,
    BODE_COD          VARCHAR(4),
    REVT_DIRENTREGA   VARCHAR(100),
    REVT_TOTAL        NUMERIC(15,2),
    REVT_FACTURADA    CHAR(1) DEFAULT 'N',
    REVT_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    REVT_IMPRESO      SMALLINT DEFAULT 0,
    REVT_USUARIO      VARCHAR(10),
    REVT_CREADO       TIMESTAMP,
    REVT_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_REVT PRIMARY KEY (REVT_ID)
);

CREATE TABLE REMISIONES_VENTA_DETALLE (
    REVT_ID           INTEGER NOT NULL,
    RVDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    RVDE_CANTIDAD     NUMERIC(18,4),
    RVDE_PRECIO       NUMERIC(18,4),
    RVDE_TOTAL        NUMERIC(15,2),
    RVDE_CANTFACTURADA NUMERIC(18,4),
    RVDE_LOTE         VARCHAR(20),
    CONSTRAINT PK_RVDE PRIMARY KEY (REVT_ID, RVDE_ITEM)
);

CREATE TABLE DEVOLUCIONES_VENTAS (
    DEVT_ID           INTEGER NOT NULL,            /*  0 */
    PREF_PRE          VARCHAR(14) NOT NULL,        /*  1 */
    DEVT_NUMERO       CHAR(6) NOT NULL,            /*  2 */
    DEVT_FECHA        DATE,                        /*  3 */
    DEVT_HORA         TIME,                        /*  4 */
    TERC_NIT          VARCHAR(20),                 /*  5 */
    VEND_COD          INTEGER,                     /*  6 */
    COBR_COD          INTEGER,                     /*  7 */
    BODE_COD          VARCHAR(4),                  /*  8 */
    LIPR_COD          VARCHAR(4),                  /*  9 */
    DEVT_CONCEPTO     VARCHAR(60),                 /* 10 */
    DEVT_SUBTOTAL     NUMERIC(15,2),               /* 11 */
    DEVT_DESCUENTO    NUMERIC(15,2),               /* 12 */
    DEVT_IVA          NUMERIC(15,2),               /* 13 */
    DEVT_RETEFUENTE   NUMERIC(15,2),               /* 14 */
    DEVT_RETEIVA      NUMERIC(15,2),               /* 15 */
    DEVT_RETEICA      NUMERIC(15,2),               /* 16 */
    DEVT_FLETES       NUMERIC(15,2),               /* 17 */
    DEVT_TOTAL        NUMERIC(15,2),               /* 18 */
    DEVT_COSTO        NUMERIC(18,4),               /* 19 */
    DEVT_TASACAMBIO   NUMERIC(18,6),               /* 20 */
    DEVT_MONEDA       CHAR(3),                     /* 21 */
    DEVT_CONTABILIZADO CHAR(1) DEFAULT 'N',        /* 22 */
    DEVT_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,/* 23 */
    DEVT_IMPRESO      SMALLINT DEFAULT 0,          /* 24 */
    DEVT_MOTIVO       VARCHAR(60),                 /* 25 */
    DEVT_USUARIO      VARCHAR(10),                 /* 26 */
    DEVT_CREADO       TIMESTAMP,                   /* 27 */
    DEVT_FACTURA      VARCHAR(20),                 /* 28: prefix + number of the returned invoice */
    FACT_ID           INTEGER,                     /* 29: its id */
    DEVT_OBSERVACION  BLOB SUB_TYPE TEXT,          /* 30 */
    CONSTRAINT PK_DEVT PRIMARY KEY (DEVT_ID)
);

CREATE TABLE DEVOLUCIONES_VENTAS_DETALLE (
    DEVT_ID           INTEGER NOT NULL,
    DVDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    BODE_COD          VARCHAR(4),
    UNAR_UNIDAD       VARCHAR(6),
    DVDE_CANTIDAD     NUMERIC(18,4),
    DVDE_PRECIO       NUMERIC(18,4),
    DVDE_PORCDESC     NUMERIC(5,2),
    DVDE_PORCIVA      NUMERIC(5,2),
    DVDE_IVA          NUMERIC(15,2),
    DVDE_COSTO        NUMERIC(18,4),
    DVDE_TOTAL        NUMERIC(15,2),
    DVDE_ITEMFACTURA  INTEGER,                     /* line of the returned invoice */
    DVDE_LOTE         VARCHAR(20),
    CONSTRAINT PK_DVDE PRIMARY KEY (DEVT_ID, DVDE_ITEM)
);

CREATE TABLE PEDIDOS (
    PEDI_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    PEDI_NUMERO       CHAR(6) NOT NULL,
    PEDI_FECHA        DATE,
    PEDI_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    VEND_COD          INTEGER,
    BODE_COD          VARCHAR(4),
    LIPR_COD          VARCHAR(4),
    PEDI_FECHAENTREGA DATE,
    PEDI_SUBTOTAL     NUMERIC(15,2),
    PEDI_IVA          NUMERIC(15,2),
    PEDI_TOTAL        NUMERIC(15,2),
    PEDI_ESTADO       CHAR(1) DEFAULT 'P',         /* P pending, F invoiced */
    PEDI_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    PEDI_USUARIO      VARCHAR(10),
    PEDI_CREADO       TIMESTAMP,
    PEDI_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_PEDI PRIMARY KEY (PEDI_ID)
);

CREATE TABLE PEDIDOS_DETALLE (
    PEDI_ID           INTEGER NOT NULL,
    PEDE_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    UNAR_UNIDAD       VARCHAR(6),
    PEDE_CANTIDAD     NUMERIC(18,4),
    PEDE_PRECIO       NUMERIC(18,4),
    PEDE_PORCDESC     NUMERIC(5,2),
    PEDE_PORCIVA      NUMERIC(5,2),
    PEDE_TOTAL        NUMERIC(15,2),
    PEDE_CANTDESPACHADA NUMERIC(18,4),
    CONSTRAINT PK_PEDE PRIMARY KEY (PEDI_ID, PEDE_ITEM)
);

CREATE TABLE COTIZACIONES (
    COTI_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    COTI_NUMERO       CHAR(6) NOT NULL,
    COTI_FECHA        DATE,
    TERC_NIT          VARCHAR(20),
    VEND_COD          INTEGER,
    LIPR_COD          VARCHAR(4),
    COTI_VIGENCIA     DATE,
    COTI_SUBTOTAL     NUMERIC(15,2),
    COTI_IVA          NUMERIC(15,2),
    COTI_TOTAL        NUMERIC(15,2),
    COTI_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    COTI_USUARIO      VARCHAR(10),
    COTI_CREADO       TIMESTAMP,
    COTI_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_COTI PRIMARY KEY (COTI_ID)
);

CREATE TABLE COTIZACIONES_DETALLE (
    COTI_ID           INTEGER NOT NULL,
    COTD_ITEM         INTEGER NOT NULL,
    ARTI_COD          VARCHAR(20),
    COTD_DESCRIPCION  VARCHAR(80),
    UNAR_UNIDAD       VARCHAR(6),
    COTD_CANTIDAD     NUMERIC(18,4),
    COTD_PRECIO       NUMERIC(18,4),
    COTD_PORCDESC     NUMERIC(5,2),
    COTD_PORCIVA      NUMERIC(5,2),
    COTD_TOTAL        NUMERIC(15,2),
    CONSTRAINT PK_COTD PRIMARY KEY (COTI_ID, COTD_ITEM)
);

/* ===================================================================== */
/* Receivables: customer notes, payment applications, advances           */
/* ===================================================================== */

CREATE TABLE NOTAS_DEBITO_CLIENTES (
    NDCL_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    NDCL_NUMERO       CHAR(6) NOT NULL,
    NDCL_FECHA        DATE,
    NDCL_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    NDCL_CONCEPTO     VARCHAR(60),
    CUEN_COD          VARCHAR(16),
    NDCL_VALOR        NUMERIC(15,2),
    NDCL_IVA          NUMERIC(15,2),
    NDCL_TOTAL        NUMERIC(15,2),
    NDCL_SALDO        NUMERIC(15,2),
    NDCL_FECHAVENCE   DATE,
    NDCL_DOCREF       VARCHAR(20),
    NDCL_CONTABILIZADO CHAR(1) DEFAULT 'N',
    NDCL_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    NDCL_IMPRESO      SMALLINT DEFAULT 0,
    NDCL_USUARIO      VARCHAR(10),
    NDCL_CREADO       TIMESTAMP,
    NDCL_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_NDCL PRIMARY KEY (NDCL_ID)
);

CREATE TABLE NOTAS_CREDITO_CLIENTES (
    NCCL_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    NCCL_NUMERO       CHAR(6) NOT NULL,
    NCCL_FECHA        DATE,
    NCCL_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    NCCL_CONCEPTO     VARCHAR(60),
    CUEN_COD          VARCHAR(16),
    NCCL_VALOR        NUMERIC(15,2),
    NCCL_IVA          NUMERIC(15,2),
    NCCL_TOTAL        NUMERIC(15,2),
    NCCL_SALDO        NUMERIC(15,2),
    NCCL_DOCREF       VARCHAR(20),
    NCCL_CONTABILIZADO CHAR(1) DEFAULT 'N',
    NCCL_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    NCCL_IMPRESO      SMALLINT DEFAULT 0,
    NCCL_USUARIO      VARCHAR(10),
    NCCL_CREADO       TIMESTAMP,
    NCCL_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_NCCL PRIMARY KEY (NCCL_ID)
);

CREATE TABLE APLICACION_CLIENTE (
    APCL_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    APCL_NUMERO       CHAR(6) NOT NULL,
    APCL_FECHA        DATE,
    APCL_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    APCL_CONCEPTO     VARCHAR(60),
    APCL_VALOR        NUMERIC(15,2),
    APCL_CONTABILIZADO CHAR(1) DEFAULT 'N',
    APCL_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    APCL_USUARIO      VARCHAR(10),
    APCL_CREADO       TIMESTAMP,
    APCL_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_APCL PRIMARY KEY (APCL_ID)
);

/* Each row settles one customer document, named by type, prefix and number. */
CREATE TABLE APLICACION_CLIENTE_DETALLE (
    APCL_ID           INTEGER NOT NULL,            /* 0 */
    APCD_ITEM         INTEGER NOT NULL,            /* 1 */
    TIDO_COD          INTEGER,                     /* 2: type of the settled document */
    APCD_IDDOC        INTEGER,                     /* 3: its id */
    APCD_PREFDOC      VARCHAR(14),                 /* 4: its prefix */
    APCD_NUMDOC       CHAR(6),                     /* 5: its number */
    APCD_NATURALEZA   CHAR(1),                     /* D debit, C credit */
    APCD_VALOR        NUMERIC(15,2),
    APCD_DESCUENTO    NUMERIC(15,2),
    APCD_FECHAVENCE   DATE,
    CONSTRAINT PK_APCD PRIMARY KEY (APCL_ID, APCD_ITEM)
);

CREATE TABLE ANTICIPOS_CLIENTE (
    ANCL_ID           INTEGER NOT NULL,            /*  0 */
    PREF_PRE          VARCHAR(14) NOT NULL,        /*  1 */
    ANCL_NUMERO       CHAR(6) NOT NULL,            /*  2 */
    ANCL_FECHA        DATE,                        /*  3 */
    ANCL_HORA         TIME,                        /*  4 */
    TERC_NIT          VARCHAR(20),                 /*  5 */
    VEND_COD          INTEGER,                     /*  6 */
    COBR_COD          INTEGER,                     /*  7 */
    ANCL_CONCEPTO     VARCHAR(60),                 /*  8 */
    ANCL_VALOR        NUMERIC(15,2),               /*  9 */
    ANCL_APLICADO     NUMERIC(15,2),               /* 10 */
    ANCL_SALDO        NUMERIC(15,2),               /* 11 */
    ANCL_RETEFUENTE   NUMERIC(15,2),               /* 12 */
    ANCL_RETEIVA      NUMERIC(15,2),               /* 13 */
    ANCL_RETEICA      NUMERIC(15,2),               /* 14 */
    CUEN_COD          VARCHAR(16),                 /* 15 */
    ANCL_TASACAMBIO   NUMERIC(18,6),               /* 16 */
    ANCL_MONEDA       CHAR(3),                     /* 17 */
    ANCL_CONTABILIZADO CHAR(1) DEFAULT 'N',        /* 18 */
    ANCL_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,/* 19 */
    ANCL_IMPRESO      SMALLINT DEFAULT 0,          /* 20 */
    ANCL_USUARIO      VARCHAR(10),                 /* 21 */
    ANCL_CREADO       TIMESTAMP,                   /* 22 */
    RECA_ID           INTEGER,                     /* 23: cash receipt that took the money */
    ANCL_OBSERVACION  BLOB SUB_TYPE TEXT,          /* 24 */
    CONSTRAINT PK_ANCL PRIMARY KEY (ANCL_ID)
);

/* ===================================================================== */
/* Payables: supplier notes, payment applications, advances              */
/* ===================================================================== */

CREATE TABLE NOTAS_DEBITO_PROVEEDOR (
    NDPR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    NDPR_NUMERO       CHAR(6) NOT NULL,
    NDPR_FECHA        DATE,
    NDPR_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    NDPR_CONCEPTO     VARCHAR(60),
    CUEN_COD          VARCHAR(16),
    NDPR_VALOR        NUMERIC(15,2),
    NDPR_IVA          NUMERIC(15,2),
    NDPR_TOTAL        NUMERIC(15,2),
    NDPR_SALDO        NUMERIC(15,2),
    NDPR_DOCREF       VARCHAR(20),
    NDPR_CONTABILIZADO CHAR(1) DEFAULT 'N',
    NDPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    NDPR_USUARIO      VARCHAR(10),
    NDPR_CREADO       TIMESTAMP,
    NDPR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_NDPR PRIMARY KEY (NDPR_ID)
);

CREATE TABLE NOTAS_CREDITO_PROVEEDOR (
    NCPR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    NCPR_NUMERO       CHAR(6) NOT NULL,
    NCPR_FECHA        DATE,
    NCPR_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    NCPR_CONCEPTO     VARCHAR(60),
    CUEN_COD          VARCHAR(16),
    NCPR_VALOR        NUMERIC(15,2),
    NCPR_IVA          NUMERIC(15,2),
    NCPR_TOTAL        NUMERIC(15,2),
    NCPR_SALDO        NUMERIC(15,2),
    NCPR_DOCREF       VARCHAR(20),
    NCPR_CONTABILIZADO CHAR(1) DEFAULT 'N',
    NCPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    NCPR_USUARIO      VARCHAR(10),
    NCPR_CREADO       TIMESTAMP,
    NCPR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_NCPR PRIMARY KEY (NCPR_ID)
);

CREATE TABLE APLICACION_PROVEDOR (
    APPR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    APPR_NUMERO       CHAR(6) NOT NULL,
    APPR_FECHA        DATE,
    APPR_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    APPR_CONCEPTO     VARCHAR(60),
    APPR_VALOR        NUMERIC(15,2),
    APPR_CONTABILIZADO CHAR(1) DEFAULT 'N',
    APPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    APPR_USUARIO      VARCHAR(10),
    APPR_CREADO       TIMESTAMP,
    APPR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_APPR PRIMARY KEY (APPR_ID)
);

/* Each row settles one supplier document, named by type, prefix and number. */
CREATE TABLE APLICACION_PROVEEDOR_DETALLE (
    APPR_ID           INTEGER NOT NULL,            /* 0 */
    APPD_ITEM         INTEGER NOT NULL,            /* 1 */
    TIDO_COD          INTEGER,                     /* 2: type of the settled document */
    APPD_IDDOC        INTEGER,                     /* 3: its id */
    APPD_PREFDOC      VARCHAR(14),                 /* 4: its prefix */
    APPD_NUMDOC       CHAR(6),                     /* 5: its number */
    APPD_NATURALEZA   CHAR(1),                     /* D debit, C credit */
    APPD_VALOR        NUMERIC(15,2),
    APPD_DESCUENTO    NUMERIC(15,2),
    APPD_FECHAVENCE   DATE,
    CONSTRAINT PK_APPD PRIMARY KEY (APPR_ID, APPD_ITEM)
);

CREATE TABLE ANTICIPOS_PROVEEDOR (
    ANPR_ID           INTEGER NOT NULL,            /*  0 */
    PREF_PRE          VARCHAR(14) NOT NULL,        /*  1 */
    ANPR_NUMERO       CHAR(6) NOT NULL,            /*  2 */
    ANPR_FECHA        DATE,                        /*  3 */
    ANPR_HORA         TIME,                        /*  4 */
    TERC_NIT          VARCHAR(20),                 /*  5 */
    ANPR_CONCEPTO     VARCHAR(60),                 /*  6 */
    ANPR_VALOR        NUMERIC(15,2),               /*  7 */
    ANPR_APLICADO     NUMERIC(15,2),               /*  8 */
    ANPR_SALDO        NUMERIC(15,2),               /*  9 */
    ANPR_RETEFUENTE   NUMERIC(15,2),               /* 10 */
    ANPR_RETEIVA      NUMERIC(15,2),               /* 11 */
    ANPR_RETEICA      NUMERIC(15,2),               /* 12 */
    CUEN_COD          VARCHAR(16),                 /* 13 */
    ANPR_TASACAMBIO   NUMERIC(18,6),               /* 14 */
    ANPR_MONEDA       CHAR(3),                     /* 15 */
    ANPR_CONTABILIZADO CHAR(1) DEFAULT 'N',        /* 16 */
    ANPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,/* 17 */
    ANPR_IMPRESO      SMALLINT DEFAULT 0,          /* 18 */
    ANPR_USUARIO      VARCHAR(10),                 /* 19 */
    ANPR_CREADO       TIMESTAMP,                   /* 20 */
    ANPR_FECHAVENCE   DATE,                        /* 21 */
    EGRE_ID           INTEGER,                     /* 22: disbursement that paid it */
    ANPR_OBSERVACION  BLOB SUB_TYPE TEXT,          /* 23 */
    CONSTRAINT PK_ANPR PRIMARY KEY (ANPR_ID)
);

/* ===================================================================== */
/* Treasury: cash receipts, disbursements, cash movements                */
/* ===================================================================== */

CREATE TABLE RECIBOS_CAJA (
    RECA_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    RECA_NUMERO       CHAR(6) NOT NULL,
    RECA_FECHA        DATE,
    RECA_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    COBR_COD          INTEGER,
    CAJA_COD          VARCHAR(4),
    RECA_CONCEPTO     VARCHAR(60),
    RECA_VALOR        NUMERIC(15,2),
    RECA_DESCUENTOS   NUMERIC(15,2),
    RECA_RETEFUENTE   NUMERIC(15,2),
    RECA_RETEIVA      NUMERIC(15,2),
    RECA_RETEICA      NUMERIC(15,2),
    RECA_ANTICIPO     NUMERIC(15,2),               /* part of the money left as advance */
    RECA_CONTABILIZADO CHAR(1) DEFAULT 'N',
    RECA_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    RECA_IMPRESO      SMALLINT DEFAULT 0,
    RECA_USUARIO      VARCHAR(10),
    RECA_CREADO       TIMESTAMP,
    RECA_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_RECA PRIMARY KEY (RECA_ID)
);

/* Documents paid by the receipt, named by type, prefix and number. */
CREATE TABLE RECIBOS_CAJA_DETALLE (
    RECA_ID           INTEGER NOT NULL,            /* 0 */
    RCDE_ITEM         INTEGER NOT NULL,            /* 1 */
    TIDO_COD          INTEGER,                     /* 2: type of the paid document */
    RCDE_IDDOC        INTEGER,                     /* 3: its id */
    RCDE_PREFDOC      VARCHAR(14),                 /* 4: its prefix */
    RCDE_NUMDOC       CHAR(6),                     /* 5: its number */
    RCDE_VALOR        NUMERIC(15,2),
    RCDE_DESCUENTO    NUMERIC(15,2),
    RCDE_RETENCION    NUMERIC(15,2),
    RCDE_SALDOANT     NUMERIC(15,2),
    CONSTRAINT PK_RCDE PRIMARY KEY (RECA_ID, RCDE_ITEM)
);

/* How the receipt was paid: cash, cheques, cards, transfers. */
CREATE TABLE RECIBOS_CAJA_PAGO (
    RECA_ID           INTEGER NOT NULL,
    RCPA_ITEM         INTEGER NOT NULL,
    FOPA_COD          VARCHAR(4),
    BANC_COD          VARCHAR(4),
    RCPA_DOCUMENTO    VARCHAR(20),                 /* cheque, card voucher or transfer number */
    RCPA_FECHA        DATE,
    RCPA_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_RCPA PRIMARY KEY (RECA_ID, RCPA_ITEM)
);

CREATE TABLE EGRESOS (
    EGRE_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    EGRE_NUMERO       CHAR(6) NOT NULL,
    EGRE_FECHA        DATE,
    EGRE_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    EGRE_BENEFICIARIO VARCHAR(80),
    EGRE_CONCEPTO     VARCHAR(60),
    EGRE_VALOR        NUMERIC(15,2),
    EGRE_DESCUENTOS   NUMERIC(15,2),
    EGRE_RETEFUENTE   NUMERIC(15,2),
    EGRE_RETEIVA      NUMERIC(15,2),
    EGRE_RETEICA      NUMERIC(15,2),
    EGRE_CONTABILIZADO CHAR(1) DEFAULT 'N',
    EGRE_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    EGRE_IMPRESO      SMALLINT DEFAULT 0,
    EGRE_USUARIO      VARCHAR(10),
    EGRE_CREADO       TIMESTAMP,
    EGRE_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_EGRE PRIMARY KEY (EGRE_ID)
);

/* Documents paid by the disbursement, named by type, prefix and number. */
CREATE TABLE EGRESOS_DETALLE (
    EGRE_ID           INTEGER NOT NULL,            /* 0 */
    EGDE_ITEM         INTEGER NOT NULL,            /* 1 */
    TIDO_COD          INTEGER,                     /* 2: type of the paid document */
    EGDE_IDDOC        INTEGER,                     /* 3: its id */
    EGDE_PREFDOC      VARCHAR(14),                 /* 4: its prefix */
    EGDE_NUMDOC       CHAR(6),                     /* 5: its number */
    EGDE_VALOR        NUMERIC(15,2),
    EGDE_DESCUENTO    NUMERIC(15,2),
    EGDE_RETENCION    NUMERIC(15,2),
    EGDE_SALDOANT     NUMERIC(15,2),
    CONSTRAINT PK_EGDE PRIMARY KEY (EGRE_ID, EGDE_ITEM)
);

/* Cash paid out by the disbursement. */
CREATE TABLE EGRESOS_CAJA (
    EGRE_ID           INTEGER NOT NULL,
    EGCJ_ITEM         INTEGER NOT NULL,
    CAJA_COD          VARCHAR(4),
    EGCJ_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_EGCJ PRIMARY KEY (EGRE_ID, EGCJ_ITEM)
);

/* Cheques and transfers drawn for the disbursement. */
CREATE TABLE EGRESOS_BANCO (
    EGRE_ID           INTEGER NOT NULL,
    EGBA_ITEM         INTEGER NOT NULL,
    CUBA_COD          INTEGER,
    PRBA_PREF         VARCHAR(14),
    EGBA_CHEQUE       CHAR(6),
    EGBA_FECHA        DATE,
    EGBA_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_EGBA PRIMARY KEY (EGRE_ID, EGBA_ITEM)
);

/* Direct accounting lines of the disbursement. */
CREATE TABLE EGRESOS_CONTABILIDAD (
    EGRE_ID           INTEGER NOT NULL,
    EGCO_ITEM         INTEGER NOT NULL,
    CUEN_COD          VARCHAR(16),
    TERC_NIT          VARCHAR(20),
    CCOS_COD          VARCHAR(6),
    EGCO_DETALLE      VARCHAR(80),
    EGCO_DEBITO       NUMERIC(15,2),
    EGCO_CREDITO      NUMERIC(15,2),
    EGCO_BASE         NUMERIC(15,2),
    CONSTRAINT PK_EGCO PRIMARY KEY (EGRE_ID, EGCO_ITEM)
);

/* Exchange of documents (post-dated cheques and the like) at the cash desk. */
CREATE TABLE CAMBIO_DOCUMENTOS (
    CADO_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    CADO_NUMERO       CHAR(6) NOT NULL,
    CADO_FECHA        DATE,
    CADO_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    CAJA_COD          VARCHAR(4),
    CADO_CONCEPTO     VARCHAR(60),
    CADO_VALORENTRA   NUMERIC(15,2),
    CADO_VALORSALE    NUMERIC(15,2),
    CADO_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    CADO_USUARIO      VARCHAR(10),
    CADO_CREADO       TIMESTAMP,
    CADO_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_CADO PRIMARY KEY (CADO_ID)
);

CREATE TABLE CAMBIODOC_ENTRADAS (
    CADO_ID           INTEGER NOT NULL,
    CDEN_ITEM         INTEGER NOT NULL,
    FOPA_COD          VARCHAR(4),
    BANC_COD          VARCHAR(4),
    CDEN_DOCUMENTO    VARCHAR(20),
    CDEN_FECHA        DATE,
    CDEN_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_CDEN PRIMARY KEY (CADO_ID, CDEN_ITEM)
);

CREATE TABLE CAMBIODOC_SALIDAS (
    CADO_ID           INTEGER NOT NULL,
    CDSA_ITEM         INTEGER NOT NULL,
    FOPA_COD          VARCHAR(4),
    BANC_COD          VARCHAR(4),
    CDSA_DOCUMENTO    VARCHAR(20),
    CDSA_FECHA        DATE,
    CDSA_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_CDSA PRIMARY KEY (CADO_ID, CDSA_ITEM)
);

/* Card vouchers deposited in a bank account. */
CREATE TABLE CONSIGNA_TARJETAS (
    COTJ_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    COTJ_NUMERO       CHAR(6) NOT NULL,
    COTJ_FECHA        DATE,
    CUBA_COD          INTEGER,
    CAJA_COD          VARCHAR(4),
    COTJ_VALOR        NUMERIC(15,2),
    COTJ_COMISION     NUMERIC(15,2),
    COTJ_RETENCION    NUMERIC(15,2),
    COTJ_NETO         NUMERIC(15,2),
    COTJ_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    COTJ_USUARIO      VARCHAR(10),
    COTJ_CREADO       TIMESTAMP,
    COTJ_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_COTJ PRIMARY KEY (COTJ_ID)
);

CREATE TABLE CONSIGNA_TARJETAS_DET (
    COTJ_ID           INTEGER NOT NULL,
    CTDE_ITEM         INTEGER NOT NULL,
    TARJ_COD          VARCHAR(4),
    CTDE_VOUCHER      VARCHAR(20),
    CTDE_FECHA        DATE,
    CTDE_VALOR        NUMERIC(15,2),
    CTDE_COMISION     NUMERIC(15,2),
    CONSTRAINT PK_CTDE PRIMARY KEY (COTJ_ID, CTDE_ITEM)
);

CREATE TABLE RECIBO_PROVISIONAL (
    RCPR_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    RCPR_NUMERO       CHAR(6) NOT NULL,
    RCPR_FECHA        DATE,
    RCPR_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    COBR_COD          INTEGER,
    RCPR_CONCEPTO     VARCHAR(60),
    RCPR_VALOR        NUMERIC(15,2),
    RCPR_LEGALIZADO   CHAR(1) DEFAULT 'N',         /* S once turned into a cash receipt */
    RCPR_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    RCPR_USUARIO      VARCHAR(10),
    RCPR_CREADO       TIMESTAMP,
    RCPR_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_RCPR PRIMARY KEY (RCPR_ID)
);

CREATE TABLE RECIBO_PROVISIONAL_DETALLE (
    RCPR_ID           INTEGER NOT NULL,
    RPVD_ITEM         INTEGER NOT NULL,
    TIDO_COD          INTEGER,
    RPVD_PREFDOC      VARCHAR(14),
    RPVD_NUMDOC       CHAR(6),
    RPVD_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_RPVD PRIMARY KEY (RCPR_ID, RPVD_ITEM)
);

CREATE TABLE RECIBO_PROVISIONAL_PAGO (
    RCPR_ID           INTEGER NOT NULL,
    RPVP_ITEM         INTEGER NOT NULL,
    FOPA_COD          VARCHAR(4),
    BANC_COD          VARCHAR(4),
    RPVP_DOCUMENTO    VARCHAR(20),
    RPVP_FECHA        DATE,
    RPVP_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_RPVP PRIMARY KEY (RCPR_ID, RPVP_ITEM)
);

CREATE TABLE TRASLADOS_CAJA (
    TRCJ_ID           INTEGER NOT NULL,
    PREF_PRE          VARCHAR(14) NOT NULL,
    TRCJ_NUMERO       CHAR(6) NOT NULL,
    TRCJ_FECHA        DATE,
    TRCJ_HORA         TIME,
    CAJA_ORIGEN       VARCHAR(4),
    CAJA_DESTINO      VARCHAR(4),
    TRCJ_CONCEPTO     VARCHAR(60),
    TRCJ_VALOR        NUMERIC(15,2),
    TRCJ_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    TRCJ_USUARIO      VARCHAR(10),
    TRCJ_CREADO       TIMESTAMP,
    TRCJ_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_TRCJ PRIMARY KEY (TRCJ_ID)
);

CREATE TABLE TRASLADOS_CAJA_DET (
    TRCJ_ID           INTEGER NOT NULL,
    TCDE_ITEM         INTEGER NOT NULL,
    FOPA_COD          VARCHAR(4),
    TCDE_DOCUMENTO    VARCHAR(20),
    TCDE_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_TCDE PRIMARY KEY (TRCJ_ID, TCDE_ITEM)
);

/* ===================================================================== */
/* Bank documents: numbered per bank account (CUBA_COD)                  */
/* ===================================================================== */

CREATE TABLE CONSIGNA (
    CONS_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,
    PRBA_PREF         VARCHAR(14) NOT NULL,
    CONS_NUMERO       CHAR(6) NOT NULL,
    CONS_FECHA        DATE,
    CONS_HORA         TIME,
    TERC_NIT          VARCHAR(20),
    CONS_CONCEPTO     VARCHAR(60),
    CONS_EFECTIVO     NUMERIC(15,2),
    CONS_CHEQUES      NUMERIC(15,2),
    CONS_VALOR        NUMERIC(15,2),
    CONS_CONCILIADO   CHAR(1) DEFAULT 'N',
    CONS_FECHACONC    DATE,
    CONS_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    CONS_USUARIO      VARCHAR(10),
    CONS_CREADO       TIMESTAMP,
    CONS_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_CONS PRIMARY KEY (CONS_ID)
);

CREATE TABLE CONSIGNA_DETALLE (
    CONS_ID           INTEGER NOT NULL,
    CNDE_ITEM         INTEGER NOT NULL,
    CNDE_TIPO         CHAR(1),                     /* E cash, C cheque */
    BANC_COD          VARCHAR(4),
    CNDE_CHEQUE       VARCHAR(20),
    TERC_NIT          VARCHAR(20),
    CNDE_VALOR        NUMERIC(15,2),
    CONSTRAINT PK_CNDE PRIMARY KEY (CONS_ID, CNDE_ITEM)
);

CREATE TABLE CHEQUES (
    CHEQ_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,
    PRBA_PREF         VARCHAR(14) NOT NULL,
    CHEQ_NUMERO       CHAR(6) NOT NULL,
    CHEQ_FECHA        DATE,
    TERC_NIT          VARCHAR(20),
    CHEQ_BENEFICIARIO VARCHAR(80),
    CHEQ_CONCEPTO     VARCHAR(60),
    CHEQ_VALOR        NUMERIC(15,2),
    CHEQ_ENTREGADO    CHAR(1) DEFAULT 'N',
    CHEQ_FECHAENTREGA DATE,
    CHEQ_CONCILIADO   CHAR(1) DEFAULT 'N',
    CHEQ_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    CHEQ_USUARIO      VARCHAR(10),
    CHEQ_CREADO       TIMESTAMP,
    CHEQ_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_CHEQ PRIMARY KEY (CHEQ_ID)
);

CREATE TABLE RETIROS (
    RETI_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,
    PRBA_PREF         VARCHAR(14) NOT NULL,
    RETI_NUMERO       CHAR(6) NOT NULL,
    RETI_FECHA        DATE,
    RETI_HORA         TIME,
    CAJA_COD          VARCHAR(4),                  /* cash desk that receives the money */
    RETI_CONCEPTO     VARCHAR(60),
    RETI_VALOR        NUMERIC(15,2),
    RETI_CONCILIADO   CHAR(1) DEFAULT 'N',
    RETI_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    RETI_USUARIO      VARCHAR(10),
    RETI_CREADO       TIMESTAMP,
    RETI_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_RETI PRIMARY KEY (RETI_ID)
);

CREATE TABLE NOTAS_DEBITO (
    NDBC_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,
    PRBA_PREF         VARCHAR(14) NOT NULL,
    NDBC_NUMERO       CHAR(6) NOT NULL,
    NDBC_FECHA        DATE,
    CUEN_COD          VARCHAR(16),                 /* expense account (fees, taxes) */
    NDBC_CONCEPTO     VARCHAR(60),
    NDBC_VALOR        NUMERIC(15,2),
    NDBC_CONCILIADO   CHAR(1) DEFAULT 'N',
    NDBC_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    NDBC_USUARIO      VARCHAR(10),
    NDBC_CREADO       TIMESTAMP,
    NDBC_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_NDBC PRIMARY KEY (NDBC_ID)
);

CREATE TABLE NOTAS_CREDITO (
    NCBC_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,
    PRBA_PREF         VARCHAR(14) NOT NULL,
    NCBC_NUMERO       CHAR(6) NOT NULL,
    NCBC_FECHA        DATE,
    CUEN_COD          VARCHAR(16),                 /* income account (interest, refunds) */
    NCBC_CONCEPTO     VARCHAR(60),
    NCBC_VALOR        NUMERIC(15,2),
    NCBC_CONCILIADO   CHAR(1) DEFAULT 'N',
    NCBC_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    NCBC_USUARIO      VARCHAR(10),
    NCBC_CREADO       TIMESTAMP,
    NCBC_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_NCBC PRIMARY KEY (NCBC_ID)
);

CREATE TABLE TRASLADOS (
    TRAS_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,            /* account the money leaves */
    PRBA_PREF         VARCHAR(14) NOT NULL,
    TRAS_NUMERO       CHAR(6) NOT NULL,
    TRAS_FECHA        DATE,
    CUBA_DESTINO      INTEGER,                     /* account the money goes to */
    TRAS_CONCEPTO     VARCHAR(60),
    TRAS_VALOR        NUMERIC(15,2),
    TRAS_CONCILIADO   CHAR(1) DEFAULT 'N',
    TRAS_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    TRAS_USUARIO      VARCHAR(10),
    TRAS_CREADO       TIMESTAMP,
    TRAS_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_TRAS PRIMARY KEY (TRAS_ID)
);

CREATE TABLE DEVOLUCION_CHEQUES (
    DVCH_ID           INTEGER NOT NULL,
    CUBA_COD          INTEGER NOT NULL,
    PRBA_PREF         VARCHAR(14) NOT NULL,
    DVCH_NUMDOC       CHAR(6) NOT NULL,
    DVCH_FECHA        DATE,
    TERC_NIT          VARCHAR(20),
    BANC_COD          VARCHAR(4),
    DVCH_CHEQUE       VARCHAR(20),                 /* number of the returned cheque */
    DVCH_MOTIVO       VARCHAR(60),
    DVCH_VALOR        NUMERIC(15,2),
    DVCH_GASTOS       NUMERIC(15,2),               /* bank fees charged for the return */
    DVCH_ANULADO      CHAR(1) DEFAULT 'N' NOT NULL,
    DVCH_USUARIO      VARCHAR(10),
    DVCH_CREADO       TIMESTAMP,
    DVCH_OBSERVACION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_DVCH PRIMARY KEY (DVCH_ID)
);

/* ===================================================================== */
/* Master data: accounts, articles, third parties, sales staff, brands   */
/* ===================================================================== */

CREATE TABLE CUENTAS (
    CUEN_COD          VARCHAR(16) NOT NULL,
    CUEN_NOMBRE       VARCHAR(80) NOT NULL,
    CUEN_NIVEL        SMALLINT,
    CUEN_NATURALEZA   CHAR(1),                     /* D debit, C credit */
    CUEN_AUXILIAR     CHAR(1) DEFAULT 'S',         /* S accepts postings */
    CUEN_TERCERO      CHAR(1) DEFAULT 'N',         /* S requires a third party */
    CUEN_CCOSTO       CHAR(1) DEFAULT 'N',         /* S requires a cost center */
    CUEN_PORCRETE     NUMERIC(7,4),                /* withholding rate */
    CUEN_BASERETE     NUMERIC(15,2),
    CUEN_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_CUEN PRIMARY KEY (CUEN_COD)
);

CREATE TABLE ARTICULO (
    ARTI_COD          VARCHAR(20) NOT NULL,
    ARTI_NOMBRE       VARCHAR(80) NOT NULL,
    ARTI_REFERENCIA   VARCHAR(30),
    GRUP_COD          VARCHAR(6),
    MARC_COD          VARCHAR(6),
    UNAR_UNIDAD       VARCHAR(6),                  /* base unit */
    ARTI_PORCIVA      NUMERIC(5,2),
    ARTI_COSTOPROM    NUMERIC(18,4),
    ARTI_ULTCOSTO     NUMERIC(18,4),
    ARTI_PRECIO       NUMERIC(18,4),
    ARTI_PESO         DOUBLE PRECISION,            /* kg */
    ARTI_VOLUMEN      DOUBLE PRECISION,            /* m3 */
    ARTI_STOCKMIN     DECIMAL(18,4),
    ARTI_STOCKMAX     DECIMAL(18,4),
    ARTI_MANEJALOTE   CHAR(1) DEFAULT 'N',
    ARTI_SERVICIO     CHAR(1) DEFAULT 'N',
    ARTI_ACTIVO       CHAR(1) DEFAULT 'S',
    ARTI_FECHACREA    DATE,
    ARTI_MODIFICADO   TIMESTAMP,
    ARTI_FOTO         BLOB SUB_TYPE BINARY,
    ARTI_DESCRIPCION  BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_ARTI PRIMARY KEY (ARTI_COD)
);

CREATE TABLE TERCEROS (
    TERC_NIT          VARCHAR(20) NOT NULL,
    TERC_DV           CHAR(1),                     /* check digit of the tax id */
    TERC_NOMBRE       VARCHAR(80) NOT NULL,
    TERC_TIPOPERSONA  CHAR(1),                     /* N natural, J legal entity */
    TERC_DIRECCION    VARCHAR(100),
    CIUD_COD          VARCHAR(6),
    TERC_TELEFONO     VARCHAR(40),
    TERC_CELULAR      VARCHAR(20),
    TERC_EMAIL        VARCHAR(80),
    TERC_REGIMEN      CHAR(1),
    TERC_AUTORETENEDOR CHAR(1) DEFAULT 'N',
    TERC_FECHACREA    DATE,
    TERC_NOTAS        BLOB SUB_TYPE TEXT,
    CONSTRAINT PK_TERC PRIMARY KEY (TERC_NIT)
);

CREATE TABLE CLIENTES (
    TERC_NIT          VARCHAR(20) NOT NULL,
    CLIE_CUPO         NUMERIC(15,2),               /* credit limit */
    CLIE_PLAZO        SMALLINT,
    LIPR_COD          VARCHAR(4),
    VEND_COD          INTEGER,
    COBR_COD          INTEGER,
    ZONA_COD          VARCHAR(4),
    CLIE_PORCDESC     DECIMAL(5,2),
    CLIE_BLOQUEADO    CHAR(1) DEFAULT 'N',
    CLIE_ULTCOMPRA    DATE,
    CONSTRAINT PK_CLIE PRIMARY KEY (TERC_NIT)
);

CREATE TABLE PROVEEDORES (
    TERC_NIT          VARCHAR(20) NOT NULL,
    PROV_PLAZO        SMALLINT,
    PROV_CUPO         NUMERIC(15,2),
    PROV_CONTACTO     VARCHAR(60),
    PROV_PORCDESC     DECIMAL(5,2),
    BANC_COD          VARCHAR(4),
    PROV_CUENTABANCO  VARCHAR(20),
    PROV_TIPOCUENTA   CHAR(1),                     /* A savings, C checking */
    PROV_ACTIVO       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_PROV PRIMARY KEY (TERC_NIT)
);

CREATE TABLE COBRADORES (
    COBR_COD          INTEGER NOT NULL,
    COBR_NOMBRE       VARCHAR(60) NOT NULL,
    TERC_NIT          VARCHAR(20),
    ZONA_COD          VARCHAR(4),
    COBR_PORCCOMISION NUMERIC(5,2),
    COBR_ACTIVO       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_COBR PRIMARY KEY (COBR_COD)
);

CREATE TABLE VENDEDORES (
    VEND_COD          INTEGER NOT NULL,
    VEND_NOMBRE       VARCHAR(60) NOT NULL,
    TERC_NIT          VARCHAR(20),
    ZONA_COD          VARCHAR(4),
    VEND_PORCCOMISION NUMERIC(5,2),
    VEND_META         NUMERIC(15,2),               /* monthly sales target */
    VEND_ACTIVO       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_VEND PRIMARY KEY (VEND_COD)
);

CREATE TABLE MARCAS (
    MARC_COD          VARCHAR(6) NOT NULL,
    MARC_NOMBRE       VARCHAR(60) NOT NULL,
    MARC_FABRICANTE   VARCHAR(60),
    MARC_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_MARC PRIMARY KEY (MARC_COD)
);

/* ===================================================================== */
/* Article sub-records: units, bar codes, prices, accounts, components   */
/* ===================================================================== */

CREATE TABLE UNIDAD_ARTICULO (
    ARTI_COD          VARCHAR(20) NOT NULL,
    UNAR_UNIDAD       VARCHAR(6) NOT NULL,
    UNAR_NOMBRE       VARCHAR(30),
    UNAR_FACTOR       NUMERIC(18,6),               /* base units per unit */
    UNAR_PESO         DOUBLE PRECISION,
    UNAR_PRINCIPAL    CHAR(1) DEFAULT 'N',
    CONSTRAINT PK_UNAR PRIMARY KEY (ARTI_COD, UNAR_UNIDAD)
);

CREATE TABLE BARRAS_ARTICULO (
    ARTI_COD          VARCHAR(20) NOT NULL,
    COBA_COD          VARCHAR(30) NOT NULL,
    UNAR_UNIDAD       VARCHAR(6),
    COBA_TIPO         VARCHAR(10),                 /* EAN13, UPC, internal ... */
    CONSTRAINT PK_COBA PRIMARY KEY (ARTI_COD, COBA_COD)
);

/* Price lists: the list code comes first. */
CREATE TABLE PRECIOS_ARTICULO (
    LIPR_COD          VARCHAR(4) NOT NULL,
    ARTI_COD          VARCHAR(20) NOT NULL,
    UNAR_UNIDAD       VARCHAR(6),
    PRAR_PRECIO       NUMERIC(18,4),
    PRAR_PORCDESC     NUMERIC(5,2),
    PRAR_INCLUYEIVA   CHAR(1) DEFAULT 'N',
    PRAR_FECHA        DATE,
    CONSTRAINT PK_PRAR PRIMARY KEY (LIPR_COD, ARTI_COD)
);

/* Accounts used when an article's movements are posted; matched by article alone. */
CREATE TABLE CONTABIL_ARTICULO (
    ARTI_COD          VARCHAR(20) NOT NULL,
    COAR_CTAINVENTARIO VARCHAR(16),
    COAR_CTACOSTO     VARCHAR(16),
    COAR_CTAINGRESO   VARCHAR(16),
    COAR_CTADEVVENTA  VARCHAR(16),
    COAR_CTADEVCOMPRA VARCHAR(16),
    COAR_CTAIVAGEN    VARCHAR(16),
    COAR_CTAIVADES    VARCHAR(16)
);

/* Components of an assembled article. */
CREATE TABLE ARTICULOS_PRODUCTO (
    ARTI_COD          VARCHAR(20) NOT NULL,
    ARPR_ITEM         INTEGER NOT NULL,
    ARPR_COMPONENTE   VARCHAR(20),                 /* article code of the component */
    UNAR_UNIDAD       VARCHAR(6),
    ARPR_CANTIDAD     NUMERIC(18,4),
    ARPR_COSTO        NUMERIC(18,4),
    CONSTRAINT PK_ARPR PRIMARY KEY (ARTI_COD, ARPR_ITEM)
);

/* ===================================================================== */
/* Accounting interfaces: per module, the accounts its postings use      */
/* ===================================================================== */

CREATE TABLE INTERFAZ_BANCOS (
    INBA_ID           INTEGER NOT NULL,
    INBA_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,                     /* document type posted */
    TICO_COD          CHAR(3),                     /* voucher type it generates */
    INBA_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_INBA PRIMARY KEY (INBA_ID)
);

CREATE TABLE INTERFAZ_BANCOS_CTAS (
    INBA_ID           INTEGER NOT NULL,
    INBC_ITEM         INTEGER NOT NULL,
    INBC_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INBC_NATURALEZA   CHAR(1),
    INBC_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INBC PRIMARY KEY (INBA_ID, INBC_ITEM)
);

CREATE TABLE INTERFAZ_CAJA (
    INCJ_ID           INTEGER NOT NULL,
    INCJ_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,
    TICO_COD          CHAR(3),
    INCJ_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_INCJ PRIMARY KEY (INCJ_ID)
);

CREATE TABLE INTERFAZ_CAJA_CTAS (
    INCJ_ID           INTEGER NOT NULL,
    INJC_ITEM         INTEGER NOT NULL,
    INJC_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INJC_NATURALEZA   CHAR(1),
    INJC_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INJC PRIMARY KEY (INCJ_ID, INJC_ITEM)
);

CREATE TABLE INTERFAZ_CARTERA (
    INCA_ID           INTEGER NOT NULL,
    INCA_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,
    TICO_COD          CHAR(3),
    INCA_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_INCA PRIMARY KEY (INCA_ID)
);

CREATE TABLE INTERFAZ_CARTERA_CTAS (
    INCA_ID           INTEGER NOT NULL,
    INCD_ITEM         INTEGER NOT NULL,
    INCD_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INCD_NATURALEZA   CHAR(1),
    INCD_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INCD PRIMARY KEY (INCA_ID, INCD_ITEM)
);

CREATE TABLE INTERFAZ_COMPRAS (
    INCO_ID           INTEGER NOT NULL,
    INCO_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,
    TICO_COD          CHAR(3),
    INCO_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_INCO PRIMARY KEY (INCO_ID)
);

CREATE TABLE INTERFAZ_COMPRAS_CTAS (
    INCO_ID           INTEGER NOT NULL,
    INCC_ITEM         INTEGER NOT NULL,
    INCC_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INCC_NATURALEZA   CHAR(1),
    INCC_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INCC PRIMARY KEY (INCO_ID, INCC_ITEM)
);

CREATE TABLE INTERFAZ_CXPAGAR (
    INCP_ID           INTEGER NOT NULL,
    INCP_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,
    TICO_COD          CHAR(3),
    INCP_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_INCP PRIMARY KEY (INCP_ID)
);

CREATE TABLE INTERFAZ_CXPAGAR_CTAS (
    INCP_ID           INTEGER NOT NULL,
    INPC_ITEM         INTEGER NOT NULL,
    INPC_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INPC_NATURALEZA   CHAR(1),
    INPC_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INPC PRIMARY KEY (INCP_ID, INPC_ITEM)
);

CREATE TABLE INTERFAZ_INVENTARIO (
    ININ_ID           INTEGER NOT NULL,
    ININ_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,
    TICO_COD          CHAR(3),
    ININ_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_ININ PRIMARY KEY (ININ_ID)
);

CREATE TABLE INTERFAZ_INVENTARIO_CTAS (
    ININ_ID           INTEGER NOT NULL,
    INIC_ITEM         INTEGER NOT NULL,
    INIC_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INIC_NATURALEZA   CHAR(1),
    INIC_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INIC PRIMARY KEY (ININ_ID, INIC_ITEM)
);

CREATE TABLE INTERFAZ_VENTAS (
    INVE_ID           INTEGER NOT NULL,
    INVE_NOMBRE       VARCHAR(60),
    TIDO_COD          INTEGER,
    TICO_COD          CHAR(3),
    INVE_ACTIVA       CHAR(1) DEFAULT 'S',
    CONSTRAINT PK_INVE PRIMARY KEY (INVE_ID)
);

CREATE TABLE INTERFAZ_VENTAS_CTAS (
    INVE_ID           INTEGER NOT NULL,
    INVC_ITEM         INTEGER NOT NULL,
    INVC_CONCEPTO     VARCHAR(40),
    CUEN_COD          VARCHAR(16),
    INVC_NATURALEZA   CHAR(1),
    INVC_PORCENTAJE   NUMERIC(7,4),
    CCOS_COD          VARCHAR(6),
    CONSTRAINT PK_INVC PRIMARY KEY (INVE_ID, INVC_ITEM)
);

/* ===================================================================== */
/* Journal of every change, read by the transfer programs                */
/* ===================================================================== */

CREATE TABLE AUDITORIA (
    AUDI_ID           INTEGER NOT NULL,
    AUDI_USUARIO      VARCHAR(10),
    AUDI_FECHA        DATE,
    AUDI_HORA         TIME,
    TIDO_COD          INTEGER,
    AUDI_IDDOC        INTEGER,                     /* id of the document in this database */
    AUDI_OPER         CHAR(1),                     /* I/M create or change, A annul, D delete */
    AUDI_COD          VARCHAR(20),                 /* prefix + 6-character number, or master key */
    AUDI_ENVIO        CHAR(1) DEFAULT 'N',         /* S once transferred */
    AUDI_TICO         CHAR(3),                     /* voucher type, or bank account */
    AUDI_RAZON        VARCHAR(255),
    CONSTRAINT PK_AUDI PRIMARY KEY (AUDI_ID)
);

/* ===================================================================== */
/* Settings: module / category / property = value (dates as YYYY-MM-DD)  */
/* ===================================================================== */

CREATE TABLE CONFIGURACION (
    CONF_MODULO       VARCHAR(30) NOT NULL,
    CONF_CATEGORIA    VARCHAR(30) NOT NULL,
    CONF_PROPIEDAD    VARCHAR(60) NOT NULL,
    CONF_VALOR        VARCHAR(255),
    CONSTRAINT PK_CONF PRIMARY KEY (CONF_MODULO, CONF_CATEGORIA, CONF_PROPIEDAD)
);

/* ===================================================================== */
/* Indexes: document key lookups (not unique) and descending ids         */
/* ===================================================================== */

CREATE INDEX IX_ENCO_DOC ON COMPROBANTE_ENCABEZADO (TICO_COD, PRCO_PREF, ENCO_NUMERO);
CREATE INDEX IX_ENTR_DOC ON ENTRADAS (PREF_PRE, ENTR_NUMERO);
CREATE INDEX IX_SALI_DOC ON SALIDAS (PREF_PRE, SALI_NUMERO);
CREATE INDEX IX_TRAN_DOC ON TRASFERENCIAS (PREF_PRE, TRAN_NUMERO);
CREATE INDEX IX_AJUS_DOC ON AJUSTES (PREF_PRE, AJUS_NUMERO);
CREATE INDEX IX_ENSA_DOC ON ENSAMBLES (PREF_PRE, ENSA_NUMERO);
CREATE INDEX IX_DESE_DOC ON DESENSAMBLES (PREF_PRE, DESE_NUMERO);
CREATE INDEX IX_RESE_DOC ON RESERVAS (PREF_PRE, RESE_NUMERO);
CREATE INDEX IX_ORIN_DOC ON ORDENES_INVENTARIO (PREF_PRE, ORIN_NUMERO);
CREATE INDEX IX_FACO_DOC ON FACTURAS_COMPRA (PREF_PRE, FACO_NUMERO);
CREATE INDEX IX_REPR_DOC ON REMISION_PROVEEDOR (PREF_PRE, REPR_NUMERO);
CREATE INDEX IX_ORDC_DOC ON ORDENES_COMPRA (PREF_PRE, ORDC_NUMERO);
CREATE INDEX IX_DVCO_DOC ON DEVOLUCIONES_COMPRAS (PREF_PRE, DVCO_NUMERO);
CREATE INDEX IX_COPR_DOC ON COTIZACION_PROVEEDOR (PREF_PRE, COPR_NUMERO);
CREATE INDEX IX_FACT_DOC ON FACTURAS (PREF_PRE, FACT_NUMERO);
CREATE INDEX IX_REVT_DOC ON REMISIONES_VENTA (PREF_PRE, REVT_NUMERO);
CREATE INDEX IX_DEVT_DOC ON DEVOLUCIONES_VENTAS (PREF_PRE, DEVT_NUMERO);
CREATE INDEX IX_PEDI_DOC ON PEDIDOS (PREF_PRE, PEDI_NUMERO);
CREATE INDEX IX_COTI_DOC ON COTIZACIONES (PREF_PRE, COTI_NUMERO);
CREATE INDEX IX_NDCL_DOC ON NOTAS_DEBITO_CLIENTES (PREF_PRE, NDCL_NUMERO);
CREATE INDEX IX_NCCL_DOC ON NOTAS_CREDITO_CLIENTES (PREF_PRE, NCCL_NUMERO);
CREATE INDEX IX_APCL_DOC ON APLICACION_CLIENTE (PREF_PRE, APCL_NUMERO);
CREATE INDEX IX_ANCL_DOC ON ANTICIPOS_CLIENTE (PREF_PRE, ANCL_NUMERO);
CREATE INDEX IX_NDPR_DOC ON NOTAS_DEBITO_PROVEEDOR (PREF_PRE, NDPR_NUMERO);
CREATE INDEX IX_NCPR_DOC ON NOTAS_CREDITO_PROVEEDOR (PREF_PRE, NCPR_NUMERO);
CREATE INDEX IX_APPR_DOC ON APLICACION_PROVEDOR (PREF_PRE, APPR_NUMERO);
CREATE INDEX IX_ANPR_DOC ON ANTICIPOS_PROVEEDOR (PREF_PRE, ANPR_NUMERO);
CREATE INDEX IX_RECA_DOC ON RECIBOS_CAJA (PREF_PRE, RECA_NUMERO);
CREATE INDEX IX_EGRE_DOC ON EGRESOS (PREF_PRE, EGRE_NUMERO);
CREATE INDEX IX_CADO_DOC ON CAMBIO_DOCUMENTOS (PREF_PRE, CADO_NUMERO);
CREATE INDEX IX_COTJ_DOC ON CONSIGNA_TARJETAS (PREF_PRE, COTJ_NUMERO);
CREATE INDEX IX_RCPR_DOC ON RECIBO_PROVISIONAL (PREF_PRE, RCPR_NUMERO);
CREATE INDEX IX_TRCJ_DOC ON TRASLADOS_CAJA (PREF_PRE, TRCJ_NUMERO);
CREATE INDEX IX_CONS_DOC ON CONSIGNA (CUBA_COD, PRBA_PREF, CONS_NUMERO);
CREATE INDEX IX_CHEQ_DOC ON CHEQUES (CUBA_COD, PRBA_PREF, CHEQ_NUMERO);
CREATE INDEX IX_RETI_DOC ON RETIROS (CUBA_COD, PRBA_PREF, RETI_NUMERO);
CREATE INDEX IX_NDBC_DOC ON NOTAS_DEBITO (CUBA_COD, PRBA_PREF, NDBC_NUMERO);
CREATE INDEX IX_NCBC_DOC ON NOTAS_CREDITO (CUBA_COD, PRBA_PREF, NCBC_NUMERO);
CREATE INDEX IX_TRAS_DOC ON TRASLADOS (CUBA_COD, PRBA_PREF, TRAS_NUMERO);
CREATE INDEX IX_DVCH_DOC ON DEVOLUCION_CHEQUES (CUBA_COD, PRBA_PREF, DVCH_NUMDOC);

CREATE DESCENDING INDEX IXD_ENCO_ID ON COMPROBANTE_ENCABEZADO (ENCO_CONSEC);
CREATE DESCENDING INDEX IXD_ENTR_ID ON ENTRADAS (ENTR_ID);
CREATE DESCENDING INDEX IXD_SALI_ID ON SALIDAS (SALI_ID);
CREATE DESCENDING INDEX IXD_TRAN_ID ON TRASFERENCIAS (TRAN_ID);
CREATE DESCENDING INDEX IXD_AJUS_ID ON AJUSTES (AJUS_ID);
CREATE DESCENDING INDEX IXD_ENSA_ID ON ENSAMBLES (ENSA_ID);
CREATE DESCENDING INDEX IXD_DESE_ID ON DESENSAMBLES (DESE_ID);
CREATE DESCENDING INDEX IXD_RESE_ID ON RESERVAS (RESE_ID);
CREATE DESCENDING INDEX IXD_ORIN_ID ON ORDENES_INVENTARIO (ORIN_ID);
CREATE DESCENDING INDEX IXD_FACO_ID ON FACTURAS_COMPRA (FACO_ID);
CREATE DESCENDING INDEX IXD_REPR_ID ON REMISION_PROVEEDOR (REPR_ID);
CREATE DESCENDING INDEX IXD_ORDC_ID ON ORDENES_COMPRA (ORDC_ID);
CREATE DESCENDING INDEX IXD_DVCO_ID ON DEVOLUCIONES_COMPRAS (DVCO_ID);
CREATE DESCENDING INDEX IXD_COPR_ID ON COTIZACION_PROVEEDOR (COPR_ID);
CREATE DESCENDING INDEX IXD_FACT_ID ON FACTURAS (FACT_ID);
CREATE DESCENDING INDEX IXD_REVT_ID ON REMISIONES_VENTA (REVT_ID);
CREATE DESCENDING INDEX IXD_DEVT_ID ON DEVOLUCIONES_VENTAS (DEVT_ID);
CREATE DESCENDING INDEX IXD_PEDI_ID ON PEDIDOS (PEDI_ID);
CREATE DESCENDING INDEX IXD_COTI_ID ON COTIZACIONES (COTI_ID);
CREATE DESCENDING INDEX IXD_NDCL_ID ON NOTAS_DEBITO_CLIENTES (NDCL_ID);
CREATE DESCENDING INDEX IXD_NCCL_ID ON NOTAS_CREDITO_CLIENTES (NCCL_ID);
CREATE DESCENDING INDEX IXD_APCL_ID ON APLICACION_CLIENTE (APCL_ID);
CREATE DESCENDING INDEX IXD_ANCL_ID ON ANTICIPOS_CLIENTE (ANCL_ID);
CREATE DESCENDING INDEX IXD_NDPR_ID ON NOTAS_DEBITO_PROVEEDOR (NDPR_ID);
CREATE DESCENDING INDEX IXD_NCPR_ID ON NOTAS_CREDITO_PROVEEDOR (NCPR_ID);
CREATE DESCENDING INDEX IXD_APPR_ID ON APLICACION_PROVEDOR (APPR_ID);
CREATE DESCENDING INDEX IXD_ANPR_ID ON ANTICIPOS_PROVEEDOR (ANPR_ID);
CREATE DESCENDING INDEX IXD_RECA_ID ON RECIBOS_CAJA (RECA_ID);
CREATE DESCENDING INDEX IXD_EGRE_ID ON EGRESOS (EGRE_ID);
CREATE DESCENDING INDEX IXD_CADO_ID ON CAMBIO_DOCUMENTOS (CADO_ID);
CREATE DESCENDING INDEX IXD_COTJ_ID ON CONSIGNA_TARJETAS (COTJ_ID);
CREATE DESCENDING INDEX IXD_RCPR_ID ON RECIBO_PROVISIONAL (RCPR_ID);
CREATE DESCENDING INDEX IXD_TRCJ_ID ON TRASLADOS_CAJA (TRCJ_ID);
CREATE DESCENDING INDEX IXD_CONS_ID ON CONSIGNA (CONS_ID);
CREATE DESCENDING INDEX IXD_CHEQ_ID ON CHEQUES (CHEQ_ID);
CREATE DESCENDING INDEX IXD_RETI_ID ON RETIROS (RETI_ID);
CREATE DESCENDING INDEX IXD_NDBC_ID ON NOTAS_DEBITO (NDBC_ID);
CREATE DESCENDING INDEX IXD_NCBC_ID ON NOTAS_CREDITO (NCBC_ID);
CREATE DESCENDING INDEX IXD_TRAS_ID ON TRASLADOS (TRAS_ID);
CREATE DESCENDING INDEX IXD_DVCH_ID ON DEVOLUCION_CHEQUES (DVCH_ID);

/* Article sub-records are cleared and read by article. */
CREATE INDEX IX_PRAR_ARTI ON PRECIOS_ARTICULO (ARTI_COD);
CREATE INDEX IX_COAR_ARTI ON CONTABIL_ARTICULO (ARTI_COD);

CREATE INDEX IX_AUDI_FECHA ON AUDITORIA (AUDI_FECHA, AUDI_HORA);
CREATE INDEX IX_AUDI_ENVIO ON AUDITORIA (AUDI_ENVIO);

/* ===================================================================== */
/* New-id views: one row, an id above every id of the header table       */
/* ===================================================================== */

CREATE VIEW cambie_id_comproba (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ENCO_CONSEC), 0) + 1 AS INTEGER) FROM COMPROBANTE_ENCABEZADO;
CREATE VIEW cambie_id_entrada (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ENTR_ID), 0) + 1 AS INTEGER) FROM ENTRADAS;
CREATE VIEW cambie_id_salida (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(SALI_ID), 0) + 1 AS INTEGER) FROM SALIDAS;
CREATE VIEW cambie_id_transfer (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(TRAN_ID), 0) + 1 AS INTEGER) FROM TRASFERENCIAS;
CREATE VIEW cambie_id_ajusteinv (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(AJUS_ID), 0) + 1 AS INTEGER) FROM AJUSTES;
CREATE VIEW cambie_id_ensamble (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ENSA_ID), 0) + 1 AS INTEGER) FROM ENSAMBLES;
CREATE VIEW cambie_id_desensamble (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(DESE_ID), 0) + 1 AS INTEGER) FROM DESENSAMBLES;
CREATE VIEW cambie_id_reserva (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(RESE_ID), 0) + 1 AS INTEGER) FROM RESERVAS;
CREATE VIEW cambie_id_ordenmcia (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ORIN_ID), 0) + 1 AS INTEGER) FROM ORDENES_INVENTARIO;
CREATE VIEW cambie_id_compras (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(FACO_ID), 0) + 1 AS INTEGER) FROM FACTURAS_COMPRA;
CREATE VIEW cambie_id_remiprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(REPR_ID), 0) + 1 AS INTEGER) FROM REMISION_PROVEEDOR;
CREATE VIEW cambie_id_ordencomp (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ORDC_ID), 0) + 1 AS INTEGER) FROM ORDENES_COMPRA;
CREATE VIEW cambie_id_devolprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(DVCO_ID), 0) + 1 AS INTEGER) FROM DEVOLUCIONES_COMPRAS;
CREATE VIEW cambie_id_coticomp (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(COPR_ID), 0) + 1 AS INTEGER) FROM COTIZACION_PROVEEDOR;
CREATE VIEW cambie_id_factura (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(FACT_ID), 0) + 1 AS INTEGER) FROM FACTURAS;
CREATE VIEW cambie_id_remiclie (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(REVT_ID), 0) + 1 AS INTEGER) FROM REMISIONES_VENTA;
CREATE VIEW cambie_id_devolclie (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(DEVT_ID), 0) + 1 AS INTEGER) FROM DEVOLUCIONES_VENTAS;
CREATE VIEW cambie_id_pedido (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(PEDI_ID), 0) + 1 AS INTEGER) FROM PEDIDOS;
CREATE VIEW cambie_id_cotizaci (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(COTI_ID), 0) + 1 AS INTEGER) FROM COTIZACIONES;
CREATE VIEW cambie_id_notadbclie (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(NDCL_ID), 0) + 1 AS INTEGER) FROM NOTAS_DEBITO_CLIENTES;
CREATE VIEW cambie_id_notacrclie (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(NCCL_ID), 0) + 1 AS INTEGER) FROM NOTAS_CREDITO_CLIENTES;
CREATE VIEW cambie_id_apliclie (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(APCL_ID), 0) + 1 AS INTEGER) FROM APLICACION_CLIENTE;
CREATE VIEW cambie_id_anticlie (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ANCL_ID), 0) + 1 AS INTEGER) FROM ANTICIPOS_CLIENTE;
CREATE VIEW cambie_id_notadbprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(NDPR_ID), 0) + 1 AS INTEGER) FROM NOTAS_DEBITO_PROVEEDOR;
CREATE VIEW cambie_id_notacrprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(NCPR_ID), 0) + 1 AS INTEGER) FROM NOTAS_CREDITO_PROVEEDOR;
CREATE VIEW cambie_id_apliprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(APPR_ID), 0) + 1 AS INTEGER) FROM APLICACION_PROVEDOR;
CREATE VIEW cambie_id_antiprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(ANPR_ID), 0) + 1 AS INTEGER) FROM ANTICIPOS_PROVEEDOR;
CREATE VIEW cambie_id_recicaja (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(RECA_ID), 0) + 1 AS INTEGER) FROM RECIBOS_CAJA;
CREATE VIEW cambie_id_egreso (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(EGRE_ID), 0) + 1 AS INTEGER) FROM EGRESOS;
CREATE VIEW cambie_id_cambdocu (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(CADO_ID), 0) + 1 AS INTEGER) FROM CAMBIO_DOCUMENTOS;
CREATE VIEW cambie_id_consignatar (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(COTJ_ID), 0) + 1 AS INTEGER) FROM CONSIGNA_TARJETAS;
CREATE VIEW cambie_id_reciprov (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(RCPR_ID), 0) + 1 AS INTEGER) FROM RECIBO_PROVISIONAL;
CREATE VIEW cambie_id_traslacaja (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(TRCJ_ID), 0) + 1 AS INTEGER) FROM TRASLADOS_CAJA;
CREATE VIEW cambie_id_consigna (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(CONS_ID), 0) + 1 AS INTEGER) FROM CONSIGNA;
CREATE VIEW cambie_id_cheque (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(CHEQ_ID), 0) + 1 AS INTEGER) FROM CHEQUES;
CREATE VIEW cambie_id_retiro (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(RETI_ID), 0) + 1 AS INTEGER) FROM RETIROS;
CREATE VIEW cambie_id_nota_db_banco (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(NDBC_ID), 0) + 1 AS INTEGER) FROM NOTAS_DEBITO;
CREATE VIEW cambie_id_nota_cr_banco (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(NCBC_ID), 0) + 1 AS INTEGER) FROM NOTAS_CREDITO;
CREATE VIEW cambie_id_traslado (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(TRAS_ID), 0) + 1 AS INTEGER) FROM TRASLADOS;
CREATE VIEW cambie_id_dev_cheques (NUEVO_ID) AS
    SELECT CAST(COALESCE(MAX(DVCH_ID), 0) + 1 AS INTEGER) FROM DEVOLUCION_CHEQUES;

/* ===================================================================== */
/* Privileges: the applications connect as ordinary users                */
/* ===================================================================== */

GRANT ALL ON COMPROBANTE_ENCABEZADO TO PUBLIC;
GRANT ALL ON COMPROBANTE_DETALLE TO PUBLIC;
GRANT ALL ON ENTRADAS TO PUBLIC;
GRANT ALL ON ENTRADAS_DETALLE TO PUBLIC;
GRANT ALL ON SALIDAS TO PUBLIC;
GRANT ALL ON SALIDAS_DETALLE TO PUBLIC;
GRANT ALL ON TRASFERENCIAS TO PUBLIC;
GRANT ALL ON TRASFERENCIAS_DETALLE TO PUBLIC;
GRANT ALL ON AJUSTES TO PUBLIC;
GRANT ALL ON AJUSTES_DETALLE TO PUBLIC;
GRANT ALL ON ENSAMBLES TO PUBLIC;
GRANT ALL ON ENSAMBLES_DETALLE TO PUBLIC;
GRANT ALL ON DESENSAMBLES TO PUBLIC;
GRANT ALL ON DESENSAMBLES_DETALLE TO PUBLIC;
GRANT ALL ON RESERVAS TO PUBLIC;
GRANT ALL ON RESERVAS_DETALLE TO PUBLIC;
GRANT ALL ON ORDENES_INVENTARIO TO PUBLIC;
GRANT ALL ON ORDENINVENTARIO_DETALLE TO PUBLIC;
GRANT ALL ON FACTURAS_COMPRA TO PUBLIC;
GRANT ALL ON FACTURAS_COMPRAS_DETALLE TO PUBLIC;
GRANT ALL ON REMISION_PROVEEDOR TO PUBLIC;
GRANT ALL ON REMISION_PROVEEDOR_DET TO PUBLIC;
GRANT ALL ON ORDENES_COMPRA TO PUBLIC;
GRANT ALL ON ORDENES_COMPRA_DETALLE TO PUBLIC;
GRANT ALL ON DEVOLUCIONES_COMPRAS TO PUBLIC;
GRANT ALL ON DEVOLUCIONES_COMPRAS_DET TO PUBLIC;
GRANT ALL ON COTIZACION_PROVEEDOR TO PUBLIC;
GRANT ALL ON COTIZACIONES_PROVEEDOR_DET TO PUBLIC;
GRANT ALL ON FACTURAS TO PUBLIC;
GRANT ALL ON FACTURAS_DETALLE TO PUBLIC;
GRANT ALL ON REMISIONES_VENTA TO PUBLIC;
GRANT ALL ON REMISIONES_VENTA_DETALLE TO PUBLIC;
GRANT ALL ON DEVOLUCIONES_VENTAS TO PUBLIC;
GRANT ALL ON DEVOLUCIONES_VENTAS_DETALLE TO PUBLIC;
GRANT ALL ON PEDIDOS TO PUBLIC;
GRANT ALL ON PEDIDOS_DETALLE TO PUBLIC;
GRANT ALL ON COTIZACIONES TO PUBLIC;
GRANT ALL ON COTIZACIONES_DETALLE TO PUBLIC;
GRANT ALL ON NOTAS_DEBITO_CLIENTES TO PUBLIC;
GRANT ALL ON NOTAS_CREDITO_CLIENTES TO PUBLIC;
GRANT ALL ON APLICACION_CLIENTE TO PUBLIC;
GRANT ALL ON APLICACION_CLIENTE_DETALLE TO PUBLIC;
GRANT ALL ON ANTICIPOS_CLIENTE TO PUBLIC;
GRANT ALL ON NOTAS_DEBITO_PROVEEDOR TO PUBLIC;
GRANT ALL ON NOTAS_CREDITO_PROVEEDOR TO PUBLIC;
GRANT ALL ON APLICACION_PROVEDOR TO PUBLIC;
GRANT ALL ON APLICACION_PROVEEDOR_DETALLE TO PUBLIC;
GRANT ALL ON ANTICIPOS_PROVEEDOR TO PUBLIC;
GRANT ALL ON RECIBOS_CAJA TO PUBLIC;
GRANT ALL ON RECIBOS_CAJA_DETALLE TO PUBLIC;
GRANT ALL ON RECIBOS_CAJA_PAGO TO PUBLIC;
GRANT ALL ON EGRESOS TO PUBLIC;
GRANT ALL ON EGRESOS_DETALLE TO PUBLIC;
GRANT ALL ON EGRESOS_CAJA TO PUBLIC;
GRANT ALL ON EGRESOS_BANCO TO PUBLIC;
GRANT ALL ON EGRESOS_CONTABILIDAD TO PUBLIC;
GRANT ALL ON CAMBIO_DOCUMENTOS TO PUBLIC;
GRANT ALL ON CAMBIODOC_ENTRADAS TO PUBLIC;
GRANT ALL ON CAMBIODOC_SALIDAS TO PUBLIC;
GRANT ALL ON CONSIGNA_TARJETAS TO PUBLIC;
GRANT ALL ON CONSIGNA_TARJETAS_DET TO PUBLIC;
GRANT ALL ON RECIBO_PROVISIONAL TO PUBLIC;
GRANT ALL ON RECIBO_PROVISIONAL_DETALLE TO PUBLIC;
GRANT ALL ON RECIBO_PROVISIONAL_PAGO TO PUBLIC;
GRANT ALL ON TRASLADOS_CAJA TO PUBLIC;
GRANT ALL ON TRASLADOS_CAJA_DET TO PUBLIC;
GRANT ALL ON CONSIGNA TO PUBLIC;
GRANT ALL ON CONSIGNA_DETALLE TO PUBLIC;
GRANT ALL ON CHEQUES TO PUBLIC;
GRANT ALL ON RETIROS TO PUBLIC;
GRANT ALL ON NOTAS_DEBITO TO PUBLIC;
GRANT ALL ON NOTAS_CREDITO TO PUBLIC;
GRANT ALL ON TRASLADOS TO PUBLIC;
GRANT ALL ON DEVOLUCION_CHEQUES TO PUBLIC;
GRANT ALL ON CUENTAS TO PUBLIC;
GRANT ALL ON ARTICULO TO PUBLIC;
GRANT ALL ON TERCEROS TO PUBLIC;
GRANT ALL ON CLIENTES TO PUBLIC;
GRANT ALL ON PROVEEDORES TO PUBLIC;
GRANT ALL ON COBRADORES TO PUBLIC;
GRANT ALL ON VENDEDORES TO PUBLIC;
GRANT ALL ON MARCAS TO PUBLIC;
GRANT ALL ON UNIDAD_ARTICULO TO PUBLIC;
GRANT ALL ON BARRAS_ARTICULO TO PUBLIC;
GRANT ALL ON PRECIOS_ARTICULO TO PUBLIC;
GRANT ALL ON CONTABIL_ARTICULO TO PUBLIC;
GRANT ALL ON ARTICULOS_PRODUCTO TO PUBLIC;
GRANT ALL ON INTERFAZ_BANCOS TO PUBLIC;
GRANT ALL ON INTERFAZ_BANCOS_CTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_CAJA TO PUBLIC;
GRANT ALL ON INTERFAZ_CAJA_CTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_CARTERA TO PUBLIC;
GRANT ALL ON INTERFAZ_CARTERA_CTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_COMPRAS TO PUBLIC;
GRANT ALL ON INTERFAZ_COMPRAS_CTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_CXPAGAR TO PUBLIC;
GRANT ALL ON INTERFAZ_CXPAGAR_CTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_INVENTARIO TO PUBLIC;
GRANT ALL ON INTERFAZ_INVENTARIO_CTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_VENTAS TO PUBLIC;
GRANT ALL ON INTERFAZ_VENTAS_CTAS TO PUBLIC;
GRANT ALL ON AUDITORIA TO PUBLIC;
GRANT ALL ON CONFIGURACION TO PUBLIC;

GRANT SELECT ON cambie_id_comproba TO PUBLIC;
GRANT SELECT ON cambie_id_entrada TO PUBLIC;
GRANT SELECT ON cambie_id_salida TO PUBLIC;
GRANT SELECT ON cambie_id_transfer TO PUBLIC;
GRANT SELECT ON cambie_id_ajusteinv TO PUBLIC;
GRANT SELECT ON cambie_id_ensamble TO PUBLIC;
GRANT SELECT ON cambie_id_desensamble TO PUBLIC;
GRANT SELECT ON cambie_id_reserva TO PUBLIC;
GRANT SELECT ON cambie_id_ordenmcia TO PUBLIC;
GRANT SELECT ON cambie_id_compras TO PUBLIC;
GRANT SELECT ON cambie_id_remiprov TO PUBLIC;
GRANT SELECT ON cambie_id_ordencomp TO PUBLIC;
GRANT SELECT ON cambie_id_devolprov TO PUBLIC;
GRANT SELECT ON cambie_id_coticomp TO PUBLIC;
GRANT SELECT ON cambie_id_factura TO PUBLIC;
GRANT SELECT ON cambie_id_remiclie TO PUBLIC;
GRANT SELECT ON cambie_id_devolclie TO PUBLIC;
GRANT SELECT ON cambie_id_pedido TO PUBLIC;
GRANT SELECT ON cambie_id_cotizaci TO PUBLIC;
GRANT SELECT ON cambie_id_notadbclie TO PUBLIC;
GRANT SELECT ON cambie_id_notacrclie TO PUBLIC;
GRANT SELECT ON cambie_id_apliclie TO PUBLIC;
GRANT SELECT ON cambie_id_anticlie TO PUBLIC;
GRANT SELECT ON cambie_id_notadbprov TO PUBLIC;
GRANT SELECT ON cambie_id_notacrprov TO PUBLIC;
GRANT SELECT ON cambie_id_apliprov TO PUBLIC;
GRANT SELECT ON cambie_id_antiprov TO PUBLIC;
GRANT SELECT ON cambie_id_recicaja TO PUBLIC;
GRANT SELECT ON cambie_id_egreso TO PUBLIC;
GRANT SELECT ON cambie_id_cambdocu TO PUBLIC;
GRANT SELECT ON cambie_id_consignatar TO PUBLIC;
GRANT SELECT ON cambie_id_reciprov TO PUBLIC;
GRANT SELECT ON cambie_id_traslacaja TO PUBLIC;
GRANT SELECT ON cambie_id_consigna TO PUBLIC;
GRANT SELECT ON cambie_id_cheque TO PUBLIC;
GRANT SELECT ON cambie_id_retiro TO PUBLIC;
GRANT SELECT ON cambie_id_nota_db_banco TO PUBLIC;
GRANT SELECT ON cambie_id_nota_cr_banco TO PUBLIC;
GRANT SELECT ON cambie_id_traslado TO PUBLIC;
GRANT SELECT ON cambie_id_dev_cheques TO PUBLIC;

COMMIT;
