<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en_US">
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
        <translation>À propos</translation>
    </message>
    <message>
        <source>TQ-51M Information</source>
        <translation>Informations TQ-51M</translation>
    </message>
    <message>
        <source>select_printer</source>
        <translation>Sélectionner imprimante</translation>
    </message>
    <message>
        <source>app_printer</source>
        <translation>%1 (application d’impression)</translation>
    </message>
    <message>
        <source>updateButton</source>
        <translation>Mettre à jour</translation>
    </message>
    <message>
        <source>mediaGroupTitle</source>
        <translation>Informations sur les supports</translation>
    </message>
    <message>
        <source>sheets</source>
        <translation>Feuilles</translation>
    </message>
    <message>
        <source>statusGroupBox</source>
        <translation>État de l&apos;imprimante</translation>
    </message>
    <message>
        <source>tcGroupBox</source>
        <translation>Compteur total</translation>
    </message>
    <message>
        <source>fwGroupBox</source>
        <translation>Version du micrologiciel</translation>
    </message>
    <message>
        <source>serialNoGroupBox</source>
        <translation>N° de série</translation>
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
        <translation>En attente</translation>
    </message>
    <message>
        <source>st_00001</source>
        <translation>Impression en cours</translation>
    </message>
    <message>
        <source>st_00500</source>
        <translation>Refroidissement de la tête</translation>
    </message>
    <message>
        <source>st_00900</source>
        <translation>En attente (mode économie d&apos;énergie)</translation>
    </message>
    <message>
        <source>st_01000</source>
        <translation>Capot ouvert</translation>
    </message>
    <message>
        <source>st_01010</source>
        <translation>Bac à déchets absent</translation>
    </message>
    <message>
        <source>st_01100</source>
        <translation>Fin du papier</translation>
    </message>
    <message>
        <source>st_01200</source>
        <translation>Fin du ruban</translation>
    </message>
    <message>
        <source>st_01300</source>
        <translation>Bourrage papier</translation>
    </message>
    <message>
        <source>st_01400</source>
        <translation>Erreur de ruban</translation>
    </message>
    <message>
        <source>st_01500</source>
        <translation>Erreur de réglage du format de papier</translation>
    </message>
    <message>
        <source>st_01600</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02000</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02100</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02200</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02300</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02400</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02500</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02600</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02610</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02700</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_02800</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_03000</source>
        <translation>Erreur système</translation>
    </message>
    <message>
        <source>st_99999</source>
        <translation>Hors ligne</translation>
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
        <translation>Veuillez patienter.
L&apos;impression reprendra automatiquement.</translation>
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
        <translation>Raccordez l&apos;imprimante à l&apos;ordinateur, puis allumez-la.</translation>
    </message>
    <message>
        <source>ms_00100</source>
        <translation>Fermez l&apos;imprimante.</translation>
    </message>
    <message>
        <source>ms_00101</source>
        <translation>Installez le bac à déchets.</translation>
    </message>
    <message>
        <source>ms_00102</source>
        <translation>Chargez un nouveau support.
(Remplacez le papier et le ruban ensemble.)</translation>
    </message>
    <message>
        <source>ms_00103</source>
        <translation>Chargez un nouveau support.
(Remplacez le papier et le ruban ensemble.)</translation>
    </message>
    <message>
        <source>ms_00104</source>
        <translation>Retirez le papier et rechargez-le correctement.</translation>
    </message>
    <message>
        <source>ms_00105</source>
        <translation>Rechargez correctement le ruban.</translation>
    </message>
    <message>
        <source>ms_00106</source>
        <translation>Vérifiez le réglage du format de papier et la taille du ruban.</translation>
    </message>
    <message>
        <source>ms_00107</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00108</source>
        <translation>
&lt;&lt; Un type de support incorrect a été chargé. &gt;&gt;</translation>
    </message>
    <message>
        <source>ms_00200</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00201</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00202</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00203</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00204</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00205</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00206</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00207</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00208</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00209</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
    <message>
        <source>ms_00210</source>
        <translation>Redémarrez l&apos;imprimante et l&apos;ordinateur.
Si l&apos;imprimante ne fonctionne toujours pas après le redémarrage, contactez le service après-vente.</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>TQ-51M Information</source>
        <translation>Informations TQ-51M</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>PrinterApplication</name>
    <message>
        <source>Prints since the last reset</source>
        <translation>Tirages depuis la dernière remise à zéro</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Remettre à zéro</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Travaux</translation>
    </message>
    <message>
        <source>Photo settings</source>
        <translation>Réglages photo</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Finition</translation>
    </message>
    <message>
        <source>Glossy</source>
        <translation>Brillant</translation>
    </message>
    <message>
        <source>Luster</source>
        <translation>Lustré</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>Mat</translation>
    </message>
    <message>
        <source>Fine matte</source>
        <translation>Mat fin</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Bordure</translation>
    </message>
    <message>
        <source>2-inch cut</source>
        <translation>Coupe de 2 pouces</translation>
    </message>
    <message>
        <source>High-speed printing (300 x 600 dpi)</source>
        <translation>Impression rapide (300 x 600 ppp)</translation>
    </message>
    <message>
        <source>Retry after an error</source>
        <translation>Réessayer après une erreur</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Netteté</translation>
    </message>
    <message>
        <source>Color adjustment</source>
        <translation>Réglage des couleurs</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Luminosité</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Contraste</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Saturation</translation>
    </message>
    <message>
        <source>Save photo settings</source>
        <translation>Enregistrer les réglages photo</translation>
    </message>
    <message>
        <source>Invalid form data.</source>
        <translation>Données de formulaire non valides.</translation>
    </message>
    <message>
        <source>Print counter reset.</source>
        <translation>Compteur de tirages remis à zéro.</translation>
    </message>
    <message>
        <source>Photo settings saved.</source>
        <translation>Réglages photo enregistrés.</translation>
    </message>
    <message>
        <source>The defaults could not be saved.</source>
        <translation>Les valeurs par défaut n'ont pas pu être enregistrées.</translation>
    </message>
    <message>
        <source>Bad value for %1.</source>
        <translation>Valeur incorrecte pour %1.</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Travail</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Utilisateur</translation>
    </message>
    <message>
        <source>State</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motif</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Sheets sent</source>
        <translation>Feuilles envoyées</translation>
    </message>
    <message>
        <source>Sheet %1</source>
        <translation>Feuille %1</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>Retenu</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Impression en cours</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Arrêté</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>Interrompu</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer.</source>
        <translation>%1 page(s) envoyée(s) à l'imprimante.</translation>
    </message>
    <message>
        <source>Stopped after %1 page(s).</source>
        <translation>Arrêté après %1 page(s).</translation>
    </message>
    <message>
        <source>Sending the job to the printer again.</source>
        <translation>Le travail est renvoyé à l'imprimante.</translation>
    </message>
    <message>
        <source>The document has no pages.</source>
        <translation>Le document n'a aucune page.</translation>
    </message>
    <message>
        <source>Stopped: the printer application was shut down.</source>
        <translation>Arrêté : l'application d'impression a été fermée.</translation>
    </message>
    <message>
        <source>The loaded media changed while the job waited; send the job again.</source>
        <translation>Le support chargé a changé pendant l'attente du travail ; renvoyez le travail.</translation>
    </message>
    <message>
        <source>Out of memory for the print job.</source>
        <translation>Mémoire insuffisante pour le travail d'impression.</translation>
    </message>
    <message>
        <source>The JPEG image cannot be opened.</source>
        <translation>L'image JPEG ne peut pas être ouverte.</translation>
    </message>
    <message>
        <source>The PDF document has no pages.</source>
        <translation>Le document PDF n'a aucune page.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document has no size.</source>
        <translation>La page %1 du document PDF n'a pas de taille.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document cannot be rendered.</source>
        <translation>La page %1 du document PDF ne peut pas être rendue.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document is too large to print.</source>
        <translation>La page %1 du document PDF est trop grande pour être imprimée.</translation>
    </message>
    <message>
        <source>The PDF document takes too long to render.</source>
        <translation>Le rendu du document PDF prend trop de temps.</translation>
    </message>
    <message>
        <source>8 x 4 in</source>
        <translation>8 x 4 po</translation>
    </message>
    <message>
        <source>8 x 5 in</source>
        <translation>8 x 5 po</translation>
    </message>
    <message>
        <source>8 x 6 in</source>
        <translation>8 x 6 po</translation>
    </message>
    <message>
        <source>8 x 8 in</source>
        <translation>8 x 8 po</translation>
    </message>
    <message>
        <source>8 x 10 in</source>
        <translation>8 x 10 po</translation>
    </message>
    <message>
        <source>8 x 12 in</source>
        <translation>8 x 12 po</translation>
    </message>
    <message>
        <source>Job %1 stopped: %2</source>
        <translation>Travail %1 arrêté : %2</translation>
    </message>
    <message>
        <source>Waiting for the printer (%1)</source>
        <translation>En attente de l'imprimante (%1)</translation>
    </message>
    <message>
        <source>Waiting for the printer: %1 (%2)</source>
        <translation>En attente de l'imprimante : %1 (%2)</translation>
    </message>
    <message>
        <source>The backend failed to print the job.</source>
        <translation>Le backend n'a pas pu imprimer le travail.</translation>
    </message>
    <message>
        <source>The printer asks for authentication.</source>
        <translation>L'imprimante demande une authentification.</translation>
    </message>
    <message>
        <source>The backend put the job on hold.</source>
        <translation>Le backend a mis le travail en attente.</translation>
    </message>
    <message>
        <source>The printer stopped: it needs attention.</source>
        <translation>L'imprimante s'est arrêtée : elle demande une intervention.</translation>
    </message>
    <message>
        <source>The backend cancelled the job.</source>
        <translation>Le backend a annulé le travail.</translation>
    </message>
    <message>
        <source>The printer could not be reached; try again later.</source>
        <translation>L'imprimante est injoignable ; réessayez plus tard.</translation>
    </message>
    <message>
        <source>The backend ended abnormally.</source>
        <translation>Le backend s'est terminé anormalement.</translation>
    </message>
    <message>
        <source>The backend failed with status %1.</source>
        <translation>Le backend a échoué avec l'état %1.</translation>
    </message>
    <message>
        <source>%1 The job could not be kept for printing again: the spool folder has no room for it.</source>
        <translation>%1 Le travail n'a pas pu être conservé pour être réimprimé : le dossier de spool n'a plus de place.</translation>
    </message>
    <message>
        <source>Out of memory for page %1.</source>
        <translation>Mémoire insuffisante pour la page %1.</translation>
    </message>
    <message>
        <source>The printer's device is not a velmora-zelbackend device.</source>
        <translation>Le périphérique de l'imprimante n'est pas un périphérique velmora-zelbackend.</translation>
    </message>
    <message>
        <source>Unsupported raster page: %1 bits per pixel.</source>
        <translation>Page raster non prise en charge : %1 bits par pixel.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</source>
        <translation>La page %1 de %2 x %3 pixels est plus grande que toutes les feuilles de l'imprimante.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</source>
        <translation>La page %1 de %2 x %3 pixels est trop grande pour être ajustée à une feuille.</translation>
    </message>
    <message>
        <source>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</source>
        <translation>Le document se termine au milieu de la page %1 (%2 lignes sur %3) : il n'a pas été imprimé. Renvoyez-le.</translation>
    </message>
    <message>
        <source>Out of memory while fitting the page onto the sheet.</source>
        <translation>Mémoire insuffisante pour ajuster la page à la feuille.</translation>
    </message>
    <message>
        <source>The PDF renderer cannot be started.</source>
        <translation>Le moteur de rendu PDF ne peut pas être démarré.</translation>
    </message>
    <message>
        <source>The PDF document is encrypted: it cannot be printed without its password.</source>
        <translation>Le document PDF est chiffré : il ne peut pas être imprimé sans son mot de passe.</translation>
    </message>
    <message>
        <source>The PDF document cannot be read: its description is too long.</source>
        <translation>Le document PDF ne peut pas être lu : sa description est trop longue.</translation>
    </message>
    <message>
        <source>The JPEG image of %1 x %2 pixels is too large to print.</source>
        <translation>L'image JPEG de %1 x %2 pixels est trop grande pour être imprimée.</translation>
    </message>
    <message>
        <source>Out of memory for the JPEG image.</source>
        <translation>Mémoire insuffisante pour l'image JPEG.</translation>
    </message>
    <message>
        <source>The PNG image of %1 x %2 pixels is too large to print.</source>
        <translation>L'image PNG de %1 x %2 pixels est trop grande pour être imprimée.</translation>
    </message>
    <message>
        <source>Out of memory for the PNG image.</source>
        <translation>Mémoire insuffisante pour l'image PNG.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Arrêté.</translation>
    </message>
    <message>
        <source>Sending sheets %1 to %2 to the printer again.</source>
        <translation>Les feuilles %1 à %2 sont renvoyées à l'imprimante.</translation>
    </message>
</context>
</TS>
