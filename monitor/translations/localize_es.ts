<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en_US">
<context>
    <name>StatusDialog</name>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Acerca</translation>
    </message>
    <message>
        <source>TQ-51M Information</source>
        <translation>Información de TQ-51M</translation>
    </message>
    <message>
        <source>select_printer</source>
        <translation>Seleccione impresora</translation>
    </message>
    <message>
        <source>app_printer</source>
        <translation>%1 (aplicación de impresión)</translation>
    </message>
    <message>
        <source>updateButton</source>
        <translation>Actualizar</translation>
    </message>
    <message>
        <source>mediaGroupTitle</source>
        <translation>Información del medio</translation>
    </message>
    <message>
        <source>sheets</source>
        <translation>Hojas</translation>
    </message>
    <message>
        <source>statusGroupBox</source>
        <translation>Estado de la impresora</translation>
    </message>
    <message>
        <source>tcGroupBox</source>
        <translation>Recuento total</translation>
    </message>
    <message>
        <source>fwGroupBox</source>
        <translation>Versión del firmware</translation>
    </message>
    <message>
        <source>serialNoGroupBox</source>
        <translation>N.º de serie</translation>
    </message>
    <message>
        <source>size_00500</source>
        <translation>8x10in</translation>
    </message>
    <message>
        <source>size_00510</source>
        <translation>8x12in</translation>
    </message>
    <message>
        <source>size_00600</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>class_0001</source>
        <translation>Corvel</translation>
    </message>
    <message>
        <source>class_0002</source>
        <translation>Corvel Plus</translation>
    </message>
    <message>
        <source>class_0003</source>
        <translation>Tarsine</translation>
    </message>
    <message>
        <source>class_1304</source>
        <translation>Lustrane</translation>
    </message>
    <message>
        <source>class_1323</source>
        <translation>Opalith</translation>
    </message>
    <message>
        <source>st_00000</source>
        <translation>En espera</translation>
    </message>
    <message>
        <source>st_00001</source>
        <translation>Imprimiendo</translation>
    </message>
    <message>
        <source>st_00500</source>
        <translation>Enfriando el cabezal</translation>
    </message>
    <message>
        <source>st_00900</source>
        <translation>En espera (modo de ahorro de energía)</translation>
    </message>
    <message>
        <source>st_01000</source>
        <translation>Puerta abierta</translation>
    </message>
    <message>
        <source>st_01010</source>
        <translation>Sin caja de residuos</translation>
    </message>
    <message>
        <source>st_01100</source>
        <translation>Fin del papel</translation>
    </message>
    <message>
        <source>st_01200</source>
        <translation>Fin de la cinta</translation>
    </message>
    <message>
        <source>st_01300</source>
        <translation>Atasco de papel</translation>
    </message>
    <message>
        <source>st_01400</source>
        <translation>Error de la cinta</translation>
    </message>
    <message>
        <source>st_01500</source>
        <translation>Error de configuración del tamaño de papel</translation>
    </message>
    <message>
        <source>st_01600</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02000</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02100</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02200</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02300</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02400</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02500</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02600</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02610</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02700</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_02800</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_03000</source>
        <translation>Error del sistema</translation>
    </message>
    <message>
        <source>st_99999</source>
        <translation>Desconectada</translation>
    </message>
    <message>
        <source>ms_00001</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00002</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00003</source>
        <translation>Espere un momento.
La impresión se reanudará automáticamente.</translation>
    </message>
    <message>
        <source>ms_00004</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00005</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00006</source>
        <translation>Conecte la impresora y el equipo y enciéndalos.</translation>
    </message>
    <message>
        <source>ms_00100</source>
        <translation>Cierre la impresora.</translation>
    </message>
    <message>
        <source>ms_00101</source>
        <translation>Coloque la caja de residuos.</translation>
    </message>
    <message>
        <source>ms_00102</source>
        <translation>Cargue un medio nuevo.
(Sustituya el papel y la cinta como un conjunto.)</translation>
    </message>
    <message>
        <source>ms_00103</source>
        <translation>Cargue un medio nuevo.
(Sustituya el papel y la cinta como un conjunto.)</translation>
    </message>
    <message>
        <source>ms_00104</source>
        <translation>Retire el papel y vuelva a cargarlo correctamente.</translation>
    </message>
    <message>
        <source>ms_00105</source>
        <translation>Vuelva a cargar la cinta correctamente.</translation>
    </message>
    <message>
        <source>ms_00106</source>
        <translation>Compruebe la configuración del tamaño de papel y el tamaño de la cinta.</translation>
    </message>
    <message>
        <source>ms_00107</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00108</source>
        <translation>
&lt;&lt; Se ha cargado un tipo de medio incorrecto. &gt;&gt;</translation>
    </message>
    <message>
        <source>ms_00200</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00201</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00202</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00203</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00204</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00205</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00206</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00207</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00208</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00209</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
    <message>
        <source>ms_00210</source>
        <translation>Reinicie la impresora y el equipo.
Si la impresora no se recupera tras el reinicio, póngase en contacto con el servicio técnico.</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>TQ-51M Information</source>
        <translation>Información de TQ-51M</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Versión</translation>
    </message>
</context>
<context>
    <name>PrinterApplication</name>
    <message>
        <source>Prints since the last reset</source>
        <translation>Impresiones desde el último reinicio</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Restablecer</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Trabajos</translation>
    </message>
    <message>
        <source>Photo settings</source>
        <translation>Ajustes de foto</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Acabado</translation>
    </message>
    <message>
        <source>Glossy</source>
        <translation>Brillante</translation>
    </message>
    <message>
        <source>Luster</source>
        <translation>Lustre</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>Mate</translation>
    </message>
    <message>
        <source>Fine matte</source>
        <translation>Mate fino</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Borde</translation>
    </message>
    <message>
        <source>2-inch cut</source>
        <translation>Corte de 2 pulgadas</translation>
    </message>
    <message>
        <source>High-speed printing (300 x 600 dpi)</source>
        <translation>Impresión rápida (300 x 600 ppp)</translation>
    </message>
    <message>
        <source>Retry after an error</source>
        <translation>Reintentar tras un error</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Nitidez</translation>
    </message>
    <message>
        <source>Color adjustment</source>
        <translation>Ajuste de color</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Brillo</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturación</translation>
    </message>
    <message>
        <source>Save photo settings</source>
        <translation>Guardar ajustes de foto</translation>
    </message>
    <message>
        <source>Invalid form data.</source>
        <translation>Datos de formulario no válidos.</translation>
    </message>
    <message>
        <source>Print counter reset.</source>
        <translation>Contador de impresiones restablecido.</translation>
    </message>
    <message>
        <source>Photo settings saved.</source>
        <translation>Ajustes de foto guardados.</translation>
    </message>
    <message>
        <source>The defaults could not be saved.</source>
        <translation>No se pudieron guardar los valores predeterminados.</translation>
    </message>
    <message>
        <source>Bad value for %1.</source>
        <translation>Valor no válido para %1.</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Trabajo</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Usuario</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Medio</translation>
    </message>
    <message>
        <source>Sheets sent</source>
        <translation>Hojas enviadas</translation>
    </message>
    <message>
        <source>Sheet %1</source>
        <translation>Hoja %1</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>Pendiente</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>Retenido</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Imprimiendo</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Detenido</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>Interrumpido</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Completado</translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer.</source>
        <translation>%1 página(s) enviada(s) a la impresora.</translation>
    </message>
    <message>
        <source>Stopped after %1 page(s).</source>
        <translation>Detenido tras %1 página(s).</translation>
    </message>
    <message>
        <source>Sending the job to the printer again.</source>
        <translation>Enviando de nuevo el trabajo a la impresora.</translation>
    </message>
    <message>
        <source>The document has no pages.</source>
        <translation>El documento no tiene páginas.</translation>
    </message>
    <message>
        <source>Stopped: the printer application was shut down.</source>
        <translation>Detenido: la aplicación de impresión se cerró.</translation>
    </message>
    <message>
        <source>The loaded media changed while the job waited; send the job again.</source>
        <translation>El medio cargado cambió mientras el trabajo esperaba; envíe el trabajo de nuevo.</translation>
    </message>
    <message>
        <source>Out of memory for the print job.</source>
        <translation>Memoria insuficiente para el trabajo de impresión.</translation>
    </message>
    <message>
        <source>The JPEG image cannot be opened.</source>
        <translation>No se puede abrir la imagen JPEG.</translation>
    </message>
    <message>
        <source>The PDF document has no pages.</source>
        <translation>El documento PDF no tiene páginas.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document has no size.</source>
        <translation>La página %1 del documento PDF no tiene tamaño.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document cannot be rendered.</source>
        <translation>No se puede representar la página %1 del documento PDF.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document is too large to print.</source>
        <translation>La página %1 del documento PDF es demasiado grande para imprimirla.</translation>
    </message>
    <message>
        <source>The PDF document takes too long to render.</source>
        <translation>La representación del documento PDF tarda demasiado.</translation>
    </message>
    <message>
        <source>8 x 4 in</source>
        <translation>8 x 4 pulg.</translation>
    </message>
    <message>
        <source>8 x 5 in</source>
        <translation>8 x 5 pulg.</translation>
    </message>
    <message>
        <source>8 x 6 in</source>
        <translation>8 x 6 pulg.</translation>
    </message>
    <message>
        <source>8 x 8 in</source>
        <translation>8 x 8 pulg.</translation>
    </message>
    <message>
        <source>8 x 10 in</source>
        <translation>8 x 10 pulg.</translation>
    </message>
    <message>
        <source>8 x 12 in</source>
        <translation>8 x 12 pulg.</translation>
    </message>
    <message>
        <source>Job %1 stopped: %2</source>
        <translation>Trabajo %1 detenido: %2</translation>
    </message>
    <message>
        <source>Waiting for the printer (%1)</source>
        <translation>Esperando a la impresora (%1)</translation>
    </message>
    <message>
        <source>Waiting for the printer: %1 (%2)</source>
        <translation>Esperando a la impresora: %1 (%2)</translation>
    </message>
    <message>
        <source>The backend failed to print the job.</source>
        <translation>El backend no pudo imprimir el trabajo.</translation>
    </message>
    <message>
        <source>The printer asks for authentication.</source>
        <translation>La impresora solicita autenticación.</translation>
    </message>
    <message>
        <source>The backend put the job on hold.</source>
        <translation>El backend retuvo el trabajo.</translation>
    </message>
    <message>
        <source>The printer stopped: it needs attention.</source>
        <translation>La impresora se detuvo: necesita atención.</translation>
    </message>
    <message>
        <source>The backend cancelled the job.</source>
        <translation>El backend canceló el trabajo.</translation>
    </message>
    <message>
        <source>The printer could not be reached; try again later.</source>
        <translation>No se pudo contactar con la impresora; inténtelo más tarde.</translation>
    </message>
    <message>
        <source>The backend ended abnormally.</source>
        <translation>El backend terminó de forma anómala.</translation>
    </message>
    <message>
        <source>The backend failed with status %1.</source>
        <translation>El backend falló con el estado %1.</translation>
    </message>
    <message>
        <source>%1 The job could not be kept for printing again: the spool folder has no room for it.</source>
        <translation>%1 No se pudo conservar el trabajo para volver a imprimirlo: la carpeta de cola no tiene espacio.</translation>
    </message>
    <message>
        <source>Out of memory for page %1.</source>
        <translation>Memoria insuficiente para la página %1.</translation>
    </message>
    <message>
        <source>The printer's device is not a velmora-zelbackend device.</source>
        <translation>El dispositivo de la impresora no es un dispositivo velmora-zelbackend.</translation>
    </message>
    <message>
        <source>Unsupported raster page: %1 bits per pixel.</source>
        <translation>Página ráster no compatible: %1 bits por píxel.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</source>
        <translation>La página %1 de %2 x %3 píxeles es más grande que cualquier hoja de la impresora.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</source>
        <translation>La página %1 de %2 x %3 píxeles es demasiado grande para ajustarla a una hoja.</translation>
    </message>
    <message>
        <source>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</source>
        <translation>El documento termina dentro de la página %1 (%2 de %3 filas): no se imprimió. Envíelo de nuevo.</translation>
    </message>
    <message>
        <source>Out of memory while fitting the page onto the sheet.</source>
        <translation>Memoria insuficiente para ajustar la página a la hoja.</translation>
    </message>
    <message>
        <source>The PDF renderer cannot be started.</source>
        <translation>No se puede iniciar el representador de PDF.</translation>
    </message>
    <message>
        <source>The PDF document is encrypted: it cannot be printed without its password.</source>
        <translation>El documento PDF está cifrado: no se puede imprimir sin su contraseña.</translation>
    </message>
    <message>
        <source>The PDF document cannot be read: its description is too long.</source>
        <translation>No se puede leer el documento PDF: su descripción es demasiado larga.</translation>
    </message>
    <message>
        <source>The JPEG image of %1 x %2 pixels is too large to print.</source>
        <translation>La imagen JPEG de %1 x %2 píxeles es demasiado grande para imprimirla.</translation>
    </message>
    <message>
        <source>Out of memory for the JPEG image.</source>
        <translation>Memoria insuficiente para la imagen JPEG.</translation>
    </message>
    <message>
        <source>The PNG image of %1 x %2 pixels is too large to print.</source>
        <translation>La imagen PNG de %1 x %2 píxeles es demasiado grande para imprimirla.</translation>
    </message>
    <message>
        <source>Out of memory for the PNG image.</source>
        <translation>Memoria insuficiente para la imagen PNG.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Detenido.</translation>
    </message>
    <message>
        <source>Sending sheets %1 to %2 to the printer again.</source>
        <translation>Enviando de nuevo las hojas %1 a %2 a la impresora.</translation>
    </message>
</context>
</TS>
