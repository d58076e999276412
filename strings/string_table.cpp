// The string table: every entry holds its text in all five languages, French first, then English,
// German, Spanish and Dutch, separated by "¶"; each following part starts with a tab. An entry
// without "¶" is one text for every language. Kept sorted by number for the binary search.
#include "strings/string_table.h"

#include "strings/string_ids.h"

namespace {

constexpr TStringEntry kEntries[] = {
    {IDS_INVALID_MEASUREMENT,
     u"Ce n'est pas une mesure valide."
     u"¶\tThis is not a valid measurement."
     u"¶\tDies ist keine gültige Maßangabe."
     u"¶\tNo es una medida válida."
     u"¶\tDit is geen geldige maat."},
    {IDS_MEASUREMENT_RANGE,
     u"La mesure doit être comprise entre %1 et %2."
     u"¶\tThe measurement must be between %1 and %2."
     u"¶\tDer Wert muss zwischen %1 und %2 liegen."
     u"¶\tLa medida debe estar entre %1 y %2."
     u"¶\tDe maat moet tussen %1 en %2 liggen."},
    {IDS_UNIT_INCH_MARK, u"\""},
    {IDS_UNIT_IN, u"in"},
    {IDS_UNIT_INCH, u"inch"},
    {IDS_UNIT_INCHES, u"inches"},
    {IDS_UNIT_CM, u"cm"},
    {IDS_UNIT_PT, u"pt"},
    {IDS_UNIT_PI, u"pi"},
    {IDS_CONFIG_SHEET_CAPTION,
     u"Configuration de Varnel :"
     u"¶\tVarnel configuration:"
     u"¶\tVarnel-Konfiguration:"
     u"¶\tConfiguración de Varnel:"
     u"¶\tVarnel-configuratie:"},
    {IDS_CONFIG_PAGE_GENERAL, u"Général¶\tGeneral¶\tGeneral¶\tGeneral¶\tGeneral"},
    {IDS_CONFIG_DESCRIPTION,
     u"Description :"
     u"¶\tDescription :"
     u"¶\tBeschreibung :"
     u"¶\tDescripción :"
     u"¶\tBeschrijving :"},
    {IDS_CONFIG_REFRESH_RATE,
     u"Fréquence de rafraîchissement :"
     u"¶\tRefresh rate:"
     u"¶\tAktualisierungsrate:"
     u"¶\tFrecuencia de actualización:"
     u"¶\tVerversingsfrequentie:"},
    {IDS_CONFIG_VIEW_MILLISECONDS,
     u"Afficher les millisecondes"
     u"¶\tView milliseconds"
     u"¶\tMillisekunden anzeigen"
     u"¶\tMostrar milisegundos"
     u"¶\tMilliseconden tonen"},
    {IDS_PROMPT_BROWSE_LAST_CONNECTION,
     u"Parcourir les points du dernier serveur connecté"
     u"¶\tBrowse the tags of the server connected last"
     u"¶\tVariablen des zuletzt verbundenen Servers durchsuchen"
     u"¶\tExaminar las variables del último servidor conectado"
     u"¶\tTags van de laatst verbonden server doorbladeren"},
    {IDS_PROMPT_UNLOCK,
     u"Déverrouiller la connexion au serveur"
     u"¶\tUnlock the server connection"
     u"¶\tSerververbindung entsperren"
     u"¶\tDesbloquear la conexión con el servidor"
     u"¶\tSerververbinding ontgrendelen"},
    {IDS_PROMPT_LOCK,
     u"Verrouiller la connexion au serveur"
     u"¶\tLock the server connexion"
     u"¶\tSerververbindung sperren"
     u"¶\tBloquear la conexión con el servidor"
     u"¶\tSerververbinding vergrendelen"},
    {IDS_PROMPT_PREVIOUS_PERIOD,
     u"Demander la période précédente"
     u"¶\tRequest the previous period"
     u"¶\tVorherigen Zeitraum anfordern"
     u"¶\tSolicitar el período anterior"
     u"¶\tVorige periode opvragen"},
    {IDS_PROMPT_REFRESH,
     u"Rafraîchir la grille et le graphique"
     u"¶\tRefresh grid and graph"
     u"¶\tTabelle und Grafik aktualisieren"
     u"¶\tActualizar la tabla y el gráfico"
     u"¶\tTabel en grafiek verversen"},
    {IDS_PROMPT_NEXT_PERIOD,
     u"Demander la période suivante"
     u"¶\tRequest the next period"
     u"¶\tNächsten Zeitraum anfordern"
     u"¶\tSolicitar el período siguiente"
     u"¶\tVolgende periode opvragen"},
    {IDS_PROMPT_CURRENT_PERIOD,
     u"Demander la période actuelle (dernière)"
     u"¶\tRequest the current (last) period"
     u"¶\tAktuellen (letzten) Zeitraum anfordern"
     u"¶\tSolicitar el período actual (último)"
     u"¶\tHuidige (laatste) periode opvragen"},
    {IDS_PROMPT_LAST_10_SECONDS,
     u"Afficher les 10 dernières secondes"
     u"¶\tDislay the last 10 seconds"
     u"¶\tDie letzten 10 Sekunden anzeigen"
     u"¶\tMostrar los últimos 10 segundos"
     u"¶\tDe laatste 10 seconden tonen"},
    {IDS_PROMPT_LAST_30_SECONDS,
     u"Afficher les 30 dernières secondes"
     u"¶\tDislay the last 30 seconds"
     u"¶\tDie letzten 30 Sekunden anzeigen"
     u"¶\tMostrar los últimos 30 segundos"
     u"¶\tDe laatste 30 seconden tonen"},
    {IDS_PROMPT_LAST_MINUTE,
     u"Afficher la dernière minute"
     u"¶\tDislay the last minute"
     u"¶\tDie letzte Minute anzeigen"
     u"¶\tMostrar el último minuto"
     u"¶\tDe laatste minuut tonen"},
    {IDS_PROMPT_LAST_5_MINUTES,
     u"Afficher les 5 dernières minutes"
     u"¶\tDislay the last 5 minutes"
     u"¶\tDie letzten 5 Minuten anzeigen"
     u"¶\tMostrar los últimos 5 minutos"
     u"¶\tDe laatste 5 minuten tonen"},
    {IDS_PROMPT_LAST_10_MINUTES,
     u"Afficher les 10 dernières minutes"
     u"¶\tDislay the last 10 minutes"
     u"¶\tDie letzten 10 Minuten anzeigen"
     u"¶\tMostrar los últimos 10 minutos"
     u"¶\tDe laatste 10 minuten tonen"},
    {IDS_PROMPT_LAST_30_MINUTES,
     u"Afficher les 30 dernières minutes"
     u"¶\tDislay the last 30 minutes"
     u"¶\tDie letzten 30 Minuten anzeigen"
     u"¶\tMostrar los últimos 30 minutos"
     u"¶\tDe laatste 30 minuten tonen"},
    {IDS_PROMPT_LAST_HOUR,
     u"Afficher la dernière heure"
     u"¶\tDislay the last hour"
     u"¶\tDie letzte Stunde anzeigen"
     u"¶\tMostrar la última hora"
     u"¶\tHet laatste uur tonen"},
    {IDS_PROMPT_LAST_24_HOURS,
     u"Afficher les 24 dernières heures"
     u"¶\tDislay the last 24 hours"
     u"¶\tDie letzten 24 Stunden anzeigen"
     u"¶\tMostrar las últimas 24 horas"
     u"¶\tDe laatste 24 uur tonen"},
    {IDS_PROMPT_LAST_7_DAYS,
     u"Afficher les 7 derniers jours"
     u"¶\tDislay the last 7 days"
     u"¶\tDie letzten 7 Tage anzeigen"
     u"¶\tMostrar los últimos 7 días"
     u"¶\tDe laatste 7 dagen tonen"},
    {IDS_PROMPT_MINUTE_STEPS,
     u"Afficher minute par minute"
     u"¶\tDisplay minute per minute"
     u"¶\tMinute für Minute anzeigen"
     u"¶\tMostrar minuto a minuto"
     u"¶\tMinuut per minuut tonen"},
    {IDS_PROMPT_5_MINUTE_STEPS,
     u"Afficher par pas de 5 minutes"
     u"¶\tDisplay by 5 minutes steps"
     u"¶\tIn Schritten von 5 Minuten anzeigen"
     u"¶\tMostrar en pasos de 5 minutos"
     u"¶\tIn stappen van 5 minuten tonen"},
    {IDS_PROMPT_10_MINUTE_STEPS,
     u"Afficher par pas de 10 minutes"
     u"¶\tDisplay by 10 minutes steps"
     u"¶\tIn Schritten von 10 Minuten anzeigen"
     u"¶\tMostrar en pasos de 10 minutos"
     u"¶\tIn stappen van 10 minuten tonen"},
    {IDS_PROMPT_30_MINUTE_STEPS,
     u"Afficher par pas de 30 minutes"
     u"¶\tDisplay by 30 minutes steps"
     u"¶\tIn Schritten von 30 Minuten anzeigen"
     u"¶\tMostrar en pasos de 30 minutos"
     u"¶\tIn stappen van 30 minuten tonen"},
    {IDS_PROMPT_HOUR_STEPS,
     u"Afficher par pas d'une heure"
     u"¶\tDisplay by one hour steps"
     u"¶\tIn Schritten von einer Stunde anzeigen"
     u"¶\tMostrar en pasos de una hora"
     u"¶\tIn stappen van een uur tonen"},
    {IDS_PROMPT_DAY_STEPS,
     u"Afficher jour par jour"
     u"¶\tDisplay day by day"
     u"¶\tTag für Tag anzeigen"
     u"¶\tMostrar día a día"
     u"¶\tDag per dag tonen"},
    {IDS_PROMPT_WEEK_STEPS,
     u"Afficher semaine par semaine"
     u"¶\tDisplay week per week"
     u"¶\tWoche für Woche anzeigen"
     u"¶\tMostrar semana a semana"
     u"¶\tWeek per week tonen"},
    {IDS_PROMPT_MONTH_STEPS,
     u"Afficher mois par mois"
     u"¶\tDisplay month per month"
     u"¶\tMonat für Monat anzeigen"
     u"¶\tMostrar mes a mes"
     u"¶\tMaand per maand tonen"},
    {IDS_PROMPT_YEAR_STEPS,
     u"Afficher année par année"
     u"¶\tDisplay year per year"
     u"¶\tJahr für Jahr anzeigen"
     u"¶\tMostrar año a año"
     u"¶\tJaar per jaar tonen"},
    {IDS_PROMPT_CUSTOM_PERIOD,
     u"Afficher une période définie par l'utilisateur"
     u"¶\tDisplay a custom defined period"
     u"¶\tEinen benutzerdefinierten Zeitraum anzeigen"
     u"¶\tMostrar un período personalizado"
     u"¶\tEen zelfgekozen periode tonen"},
    {IDS_OPC_HDA_SERVER,
     u"Serveur OPC HDA"
     u"¶\tOPC HDA Server"
     u"¶\tOPC-HDA-Server"
     u"¶\tServidor OPC HDA"
     u"¶\tOPC HDA-server"},
    {IDS_SERVER_NAME,
     u"Nom du serveur :"
     u"¶\tServer Name:"
     u"¶\tServername:"
     u"¶\tNombre del servidor:"
     u"¶\tServernaam:"},
    {IDS_MACHINE_NAME,
     u"Nom de la machine :"
     u"¶\tMachine Name:"
     u"¶\tRechnername:"
     u"¶\tNombre del equipo:"
     u"¶\tComputernaam:"},
    {IDS_RECONNECT_AT_STARTUP,
     u"Reconnecter au démarrage"
     u"¶\tReconnect at startup"
     u"¶\tBeim Start neu verbinden"
     u"¶\tReconectar al iniciar"
     u"¶\tOpnieuw verbinden bij opstarten"},
    {IDS_ENTER_MACHINE_NAME,
     u"Entrez le nom de la machine ou l'adresse IP :"
     u"¶\tEnter Machine Name or IP Address:"
     u"¶\tRechnername oder IP-Adresse eingeben:"
     u"¶\tIntroduzca el nombre del equipo o la dirección IP:"
     u"¶\tVoer de computernaam of het IP-adres in:"},
    {IDS_FILTER, u"Filtre :¶\tFilter:¶\tFilter:¶\tFiltro:¶\tFilter:"},
    {IDS_GRAPH_PAGE_GENERAL, u"Général¶\tGeneral¶\tAllgemein¶\tGeneral¶\tAlgemeen"},
    {IDS_GRAPH_PAGE_WAVES, u"Courbes¶\tWaves¶\tKurven¶\tCurvas¶\tCurven"},
    {IDS_GRAPH_PAGE_AXIS, u"Axe¶\tAxis¶\tAchse¶\tEje¶\tAs"},
    {IDS_FILTER_VARNEL_FILES,
     u"Fichier Varnel (*.xml)"
     u"¶\tVarnel file (*.xml)"
     u"¶\tVarnel-Datei (*.xml)"
     u"¶\tArchivo Varnel (*.xml)"
     u"¶\tVarnel-bestand (*.xml)"},
    {IDS_FILTER_ALL_FILES,
     u"Tous les fichiers (*.*)"
     u"¶\tAll Files (*.*)"
     u"¶\tAlle Dateien (*.*)"
     u"¶\tTodos los archivos (*.*)"
     u"¶\tAlle bestanden (*.*)"},
    {IDS_LEGEND, u"Légende¶\tLegend¶\tLegende¶\tLeyenda¶\tLegenda"},
    {IDS_PLOT_PROPERTIES,
     u"Propriétés :"
     u"¶\tProperties:"
     u"¶\tEigenschaften:"
     u"¶\tPropiedades:"
     u"¶\tEigenschappen:"},
    {IDS_PLOT_HIDDEN, u"Masquée¶\tHidden¶\tAusgeblendet¶\tOculta¶\tVerborgen"},
    {IDS_PLOT_STYLE, u"Style :¶\tStyle:¶\tStil:¶\tEstilo:¶\tStijl:"},
    {IDS_PLOT_MARKER, u"Marqueur :¶\tMarker:¶\tMarkierung:¶\tMarcador:¶\tMarkering:"},
    {IDS_PLOT_LINE_WIDTH,
     u"Épaisseur du trait :"
     u"¶\tLine width:"
     u"¶\tLinienbreite:"
     u"¶\tGrosor de línea:"
     u"¶\tLijndikte:"},
    {IDS_PLOT_LINE_COLOR,
     u"Couleur du trait"
     u"¶\tLine color"
     u"¶\tLinienfarbe"
     u"¶\tColor de línea"
     u"¶\tLijnkleur"},
    {IDS_PLOT_FILL_COLOR,
     u"Couleur de remplissage"
     u"¶\tFill color"
     u"¶\tFüllfarbe"
     u"¶\tColor de relleno"
     u"¶\tVulkleur"},
    {IDS_PLOT_MARKER_SIZE,
     u"Taille du marqueur :"
     u"¶\tMarker size:"
     u"¶\tMarkierungsgröße:"
     u"¶\tTamaño del marcador:"
     u"¶\tMarkeringsgrootte:"},
    {IDS_PLOT_X_AXIS, u"Axe X :¶\tX Axis:¶\tX-Achse:¶\tEje X:¶\tX-as:"},
    {IDS_PLOT_Y_AXIS, u"Axe Y :¶\tY Axis:¶\tY-Achse:¶\tEje Y:¶\tY-as:"},
    {IDS_PLOT_PAGE_TEXT,
     u"Configuration des courbes"
     u"¶\tTrending configuration"
     u"¶\tKurvenkonfiguration"
     u"¶\tConfiguración de curvas"
     u"¶\tCurveconfiguratie"},
    {IDS_PLOT_LINES, u"Traits :¶\tLines:¶\tLinien:¶\tLíneas:¶\tLijnen:"},
    {IDS_PLOT_MARKERS, u"Marqueurs :¶\tMarkers:¶\tMarkierungen:¶\tMarcadores:¶\tMarkeringen:"},
    {IDS_LINE_TYPE_NO_LINE, u"Pas de trait¶\tNo Line¶\tKeine Linie¶\tSin línea¶\tGeen lijn"},
    {IDS_LINE_TYPE_LINES,
     u"Traits entre les points"
     u"¶\tLines between points"
     u"¶\tLinien zwischen Punkten"
     u"¶\tLíneas entre puntos"
     u"¶\tLijnen tussen punten"},
    {IDS_LINE_TYPE_HORIZONTAL,
     u"Traits horizontaux"
     u"¶\tHorizontal lines"
     u"¶\tHorizontale Linien"
     u"¶\tLíneas horizontales"
     u"¶\tHorizontale lijnen"},
    {IDS_LINE_TYPE_BARS, u"Barres¶\tBars¶\tBalken¶\tBarras¶\tStaven"},
    {IDS_LINE_TYPE_TO_ZERO,
     u"Traits jusqu'à zéro"
     u"¶\tLines to zero"
     u"¶\tLinien bis Null"
     u"¶\tLíneas hasta cero"
     u"¶\tLijnen naar nul"},
    {IDS_LINE_TYPE_CITY_SCAPE,
     u"Silhouette urbaine"
     u"¶\tCity scape"
     u"¶\tStadtsilhouette"
     u"¶\tPerfil urbano"
     u"¶\tSkyline"},
    {IDS_LINE_TYPE_CITY_SHADOW,
     u"Ombre urbaine"
     u"¶\tCity shadow"
     u"¶\tStadtschatten"
     u"¶\tSombra urbana"
     u"¶\tSkylineschaduw"},
    {IDS_START_TIME, u"Heure de début :¶\tStart time:¶\tStartzeit:¶\tHora de inicio:¶\tBegintijd:"},
    {IDS_STOP_TIME, u"Heure de fin :¶\tStop time:¶\tEndzeit:¶\tHora de fin:¶\tEindtijd:"},
    {IDS_CHOOSE_START_TIME,
     u"Choisir l'heure de début"
     u"¶\tChoose the Start Time"
     u"¶\tStartzeit wählen"
     u"¶\tElegir la hora de inicio"
     u"¶\tBegintijd kiezen"},
    {IDS_CHOOSE_STOP_TIME,
     u"Choisir l'heure de fin"
     u"¶\tChoose the Stop Time"
     u"¶\tEndzeit wählen"
     u"¶\tElegir la hora de fin"
     u"¶\tEindtijd kiezen"},
    {IDS_AXIS_PAGE_TEXT,
     u"Configuration des axes"
     u"¶\tAxis configuration"
     u"¶\tAchsenkonfiguration"
     u"¶\tConfiguración de ejes"
     u"¶\tAsconfiguratie"},
    {IDS_AXIS_LABEL, u"Axe :¶\tAxis:¶\tAchse:¶\tEje:¶\tAs:"},
    {IDS_LOCATION_LEFT, u"Gauche¶\tLeft¶\tLinks¶\tIzquierda¶\tLinks"},
    {IDS_LOCATION_TOP, u"Haut¶\tTop¶\tOben¶\tArriba¶\tBoven"},
    {IDS_LOCATION_RIGHT, u"Droite¶\tRight¶\tRechts¶\tDerecha¶\tRechts"},
    {IDS_LOCATION_BOTTOM, u"Bas¶\tBottom¶\tUnten¶\tAbajo¶\tOnder"},
    {IDS_AXIS_GENERAL_PROPERTIES,
     u"Propriétés générales :"
     u"¶\tGeneral properties:"
     u"¶\tAllgemeine Eigenschaften:"
     u"¶\tPropiedades generales:"
     u"¶\tAlgemene eigenschappen:"},
    {IDS_AXIS_HIDDEN, u"Masqué¶\tHidden¶\tAusgeblendet¶\tOculto¶\tVerborgen"},
    {IDS_AXIS_LOCATION, u"Position :¶\tLocation:¶\tPosition:¶\tPosición:¶\tPositie:"},
    {IDS_AXIS_FORMAT, u"Format :¶\tFormat:¶\tFormat:¶\tFormato:¶\tOpmaak:"},
    {IDS_FORMAT_NUMERICAL, u"Numérique¶\tNumerical¶\tNumerisch¶\tNumérico¶\tNumeriek"},
    {IDS_FORMAT_GLOBAL_TIME,
     u"Heure absolue"
     u"¶\tGlobal time"
     u"¶\tAbsolute Zeit"
     u"¶\tHora absoluta"
     u"¶\tAbsolute tijd"},
    {IDS_FORMAT_DURATION, u"Durée (ms)¶\tDuration (ms)¶\tDauer (ms)¶\tDuración (ms)¶\tDuur (ms)"},
    {IDS_AXIS_LINE_WIDTH,
     u"Épaisseur du trait :"
     u"¶\tLine width:"
     u"¶\tLinienbreite:"
     u"¶\tGrosor de línea:"
     u"¶\tLijndikte:"},
    {IDS_AXIS_GRID, u"Grille :¶\tGrid:¶\tRaster:¶\tCuadrícula:¶\tRaster:"},
    {IDS_AXIS_GRID_TYPE,
     u"Type de grille :"
     u"¶\tGrid type:"
     u"¶\tRastertyp:"
     u"¶\tTipo de cuadrícula:"
     u"¶\tRastertype:"},
    {IDS_GRID_NONE, u"Aucune¶\tNone¶\tKeines¶\tNinguna¶\tGeen"},
    {IDS_GRID_MAJOR_ONLY,
     u"Principale seulement"
     u"¶\tMajor only"
     u"¶\tNur Hauptlinien"
     u"¶\tSolo principal"
     u"¶\tAlleen hoofdlijnen"},
    {IDS_GRID_MAJOR_AND_MINOR,
     u"Principale et secondaire"
     u"¶\tMajor and minor"
     u"¶\tHaupt- und Nebenlinien"
     u"¶\tPrincipal y secundaria"
     u"¶\tHoofd- en hulplijnen"},
    {IDS_AXIS_SCALING, u"Échelle :¶\tScaling:¶\tSkalierung:¶\tEscala:¶\tSchaal:"},
    {IDS_AXIS_AUTOSCALING,
     u"Échelle automatique"
     u"¶\tAutoscaling"
     u"¶\tAutomatische Skalierung"
     u"¶\tEscala automática"
     u"¶\tAutomatische schaal"},
    {IDS_AXIS_MIN_VALUE, u"Valeur min. :¶\tMin. value:¶\tMin. Wert:¶\tValor mín.:¶\tMin. waarde:"},
    {IDS_AXIS_MAX_VALUE, u"Valeur max. :¶\tMax. value:¶\tMax. Wert:¶\tValor máx.:¶\tMax. waarde:"},
    {IDS_AXIS_TICKS, u"Graduations :¶\tTicks:¶\tTeilstriche:¶\tMarcas:¶\tMaatstreepjes:"},
    {IDS_AXIS_MANUAL_TICKS,
     u"Graduations manuelles :"
     u"¶\tManual ticks:"
     u"¶\tManuelle Teilstriche:"
     u"¶\tMarcas manuales:"
     u"¶\tHandmatige maatstreepjes:"},
    {IDS_AXIS_FIRST_MAJOR_TICK,
     u"Première graduation principale :"
     u"¶\tFirst major tick:"
     u"¶\tErster Hauptteilstrich:"
     u"¶\tPrimera marca principal:"
     u"¶\tEerste hoofdstreep:"},
    {IDS_AXIS_MAJOR_TICKS_GAP,
     u"Pas principal :"
     u"¶\tMajor ticks gap:"
     u"¶\tAbstand der Hauptteilstriche:"
     u"¶\tIntervalo de marcas principales:"
     u"¶\tAfstand hoofdstrepen:"},
    {IDS_AXIS_MINOR_TICKS_GAP,
     u"Pas secondaire :"
     u"¶\tMinor ticks gap:"
     u"¶\tAbstand der Nebenteilstriche:"
     u"¶\tIntervalo de marcas secundarias:"
     u"¶\tAfstand hulpstrepen:"},
    {IDS_AXIS_MICRO_TICKS_GAP,
     u"Pas fin :"
     u"¶\tMicro ticks gap:"
     u"¶\tAbstand der Feinteilstriche:"
     u"¶\tIntervalo de marcas finas:"
     u"¶\tAfstand fijne strepen:"},
    {IDS_AXIS_IN_USE_BY_WAVE,
     u"Cet axe ne peut pas être supprimé car la courbe "
     u"¶\tThis axis can not be deleted as Wave "
     u"¶\tDiese Achse kann nicht gelöscht werden, da die Kurve "
     u"¶\tEste eje no se puede eliminar porque la curva "
     u"¶\tDeze as kan niet worden verwijderd omdat curve "},
    {IDS_AXIS_IN_USE_SUFFIX,
     u" y est liée"
     u"¶\t is linked to it"
     u"¶\t mit ihr verknüpft ist"
     u"¶\t está vinculada a él"
     u"¶\t eraan gekoppeld is"},
    {IDS_GRAPH_BACKGROUND, u"Fond :¶\tBackground:¶\tHintergrund:¶\tFondo:¶\tAchtergrond:"},
    {IDS_LEVEL_ERROR, u"Erreur¶\tError¶\tFehler¶\tError¶\tFout"},
    {IDS_LEVEL_WARNING, u"Avertissement¶\tWarning¶\tWarnung¶\tAviso¶\tWaarschuwing"},
    {IDS_LEVEL_INFO, u"Info"},
    {IDS_LEVEL_DEBUG, u"Débogage¶\tDebug¶\tDebug¶\tDepuración¶\tDebug"},
    {IDS_LEVEL_COMMUNICATION,
     u"Communication"
     u"¶\tCommunication"
     u"¶\tKommunikation"
     u"¶\tComunicación"
     u"¶\tCommunicatie"},
    {IDS_TYPE_OTHER, u"Autre type¶\tOther type¶\tAnderer Typ¶\tOtro tipo¶\tAnder type"},
    {IDS_TYPE_RESOURCE, u"Ressource¶\tResource¶\tRessource¶\tRecurso¶\tBron"},
    {IDS_TYPE_OPC, u"OPC"},
    {IDS_TYPE_DDE, u"DDE"},
    {IDS_TYPE_TCPIP, u"TCP/IP"},
    {IDS_TYPE_SERIAL, u"Série¶\tSerial¶\tSeriell¶\tSerie¶\tSerieel"},
    {IDS_TYPE_CONFIGURATION,
     u"Configuration"
     u"¶\tConfiguration"
     u"¶\tKonfiguration"
     u"¶\tConfiguración"
     u"¶\tConfiguratie"},
    {IDS_TYPE_RESERVED, u"Réservé¶\tReserved¶\tReserviert¶\tReservado¶\tGereserveerd"},
    {IDS_PROMPT_WINDOW_DOCUMENT,
     u"Amener cette fenêtre de document au premier plan"
     u"¶\tBring this document window to the top"
     u"¶\tDieses Dokumentfenster nach vorne holen"
     u"¶\tTraer esta ventana de documento al frente"
     u"¶\tDit documentvenster naar voren halen"},
    {IDS_PROMPT_FILE_TOOLBAR,
     u"Afficher ou masquer la barre d'outils Fichier"
     u"¶\tShow or hide the file toolbar"
     u"¶\tDatei-Symbolleiste ein- oder ausblenden"
     u"¶\tMostrar u ocultar la barra de herramientas de archivo"
     u"¶\tBestandswerkbalk tonen of verbergen"},
    {IDS_PROMPT_PERIOD_TOOLBAR,
     u"Afficher ou masquer la barre d'outils Période"
     u"¶\tShow or hide the period toolbar"
     u"¶\tZeitraum-Symbolleiste ein- oder ausblenden"
     u"¶\tMostrar u ocultar la barra de herramientas de período"
     u"¶\tPeriodewerkbalk tonen of verbergen"},
    {IDS_PROMPT_CONNECT_LOCAL,
     u"Se connecter à un serveur OPC HDA de cet ordinateur"
     u"¶\tConnect to an OPC HDA server on this computer"
     u"¶\tMit einem OPC-HDA-Server auf diesem Computer verbinden"
     u"¶\tConectar con un servidor OPC HDA de este equipo"
     u"¶\tVerbinden met een OPC HDA-server op deze computer"},
    {IDS_PROMPT_CONNECT_REMOTE,
     u"Se connecter à un serveur OPC HDA d'un autre ordinateur"
     u"¶\tConnect to an OPC HDA server on another computer"
     u"¶\tMit einem OPC-HDA-Server auf einem anderen Computer verbinden"
     u"¶\tConectar con un servidor OPC HDA de otro equipo"
     u"¶\tVerbinden met een OPC HDA-server op een andere computer"},
    {IDS_PROMPT_DISCONNECT_ALL,
     u"Déconnecter tous les serveurs"
     u"¶\tDisconnect every server"
     u"¶\tAlle Server trennen"
     u"¶\tDesconectar todos los servidores"
     u"¶\tAlle servers loskoppelen"},
    {IDS_PROMPT_DISCONNECT_SERVER,
     u"Déconnecter ce serveur"
     u"¶\tDisconnect this server"
     u"¶\tDiesen Server trennen"
     u"¶\tDesconectar este servidor"
     u"¶\tDeze server loskoppelen"},
    {IDS_PROMPT_LEGEND,
     u"Afficher la légende du graphique"
     u"¶\tDisplay the graphic legend"
     u"¶\tDie Legende der Grafik anzeigen"
     u"¶\tMostrar la leyenda del gráfico"
     u"¶\tDe legenda van de grafiek tonen"},
    {IDS_PROMPT_BROWSE_SERVER,
     u"Parcourir les points de ce serveur"
     u"¶\tBrowse the tags of this server"
     u"¶\tVariablen dieses Servers durchsuchen"
     u"¶\tExaminar las variables de este servidor"
     u"¶\tTags van deze server doorbladeren"},
    {IDS_PROMPT_REMOVE_TAGS,
     u"Retirer des points du graphique"
     u"¶\tRemove tags from the graph"
     u"¶\tVariablen aus der Grafik entfernen"
     u"¶\tQuitar variables del gráfico"
     u"¶\tTags uit de grafiek verwijderen"},
    {IDS_PROMPT_REFRESH_VIEW,
     u"Rafraîchir la grille et le graphique"
     u"¶\tRefresh grid and graph"
     u"¶\tTabelle und Grafik aktualisieren"
     u"¶\tActualizar la tabla y el gráfico"
     u"¶\tTabel en grafiek verversen"},
    {IDS_PROMPT_AUTOSCALE,
     u"Mettre tous les axes en échelle automatique"
     u"¶\tSet all axis in automatic scaling mode"
     u"¶\tAlle Achsen auf automatische Skalierung stellen"
     u"¶\tPoner todos los ejes en escala automática"
     u"¶\tAlle assen op automatische schaal zetten"},
    {IDS_PROMPT_TRACE_CURSOR,
     u"Afficher ou masquer le curseur de lecture des valeurs à un instant"
     u"¶\tShow or hide the trace cursor with the waves' values at one time"
     u"¶\tDen Messcursor mit den Werten zu einem Zeitpunkt ein- oder ausblenden"
     u"¶\tMostrar u ocultar el cursor de lectura con los valores de un instante"
     u"¶\tDe meetcursor met de waarden van de curven op één tijdstip tonen of verbergen"},
    {IDS_PROMPT_OPTIONS,
     u"Modifier les options du programme"
     u"¶\tChange the program's options"
     u"¶\tProgrammoptionen ändern"
     u"¶\tCambiar las opciones del programa"
     u"¶\tProgramma-opties wijzigen"},
    {IDS_PROMPT_NEXT_DOCUMENT,
     u"Amener la fenêtre de document suivante au premier plan"
     u"¶\tBring the next document window to the top"
     u"¶\tNächstes Dokumentfenster nach vorne holen"
     u"¶\tTraer al frente la siguiente ventana de documento"
     u"¶\tHet volgende documentvenster naar voren halen"},
    {IDS_PROMPT_ABOUT,
     u"Afficher le nom, la version et le copyright du programme"
     u"¶\tShow the program's name, version and copyright"
     u"¶\tName, Version und Copyright des Programms anzeigen"
     u"¶\tMostrar el nombre, la versión y el copyright del programa"
     u"¶\tNaam, versie en copyright van het programma tonen"},
    {IDS_CONNECTION_DENIED,
     u"Connection refusée, le nombre de serveurs simultanés est limité"
     u"¶\tConnection denied, the number of simultaneous servers is limited"
     u"¶\tVerbindung abgelehnt, die Zahl gleichzeitiger Server ist begrenzt"
     u"¶\tConexión rechazada, el número de servidores simultáneos está limitado"
     u"¶\tVerbinding geweigerd, het aantal gelijktijdige servers is beperkt"},
    {IDS_SERVER_ALREADY_CONNECTED,
     u"Ce serveur est déjà connecté"
     u"¶\tThis server is already connected"
     u"¶\tDieser Server ist bereits verbunden"
     u"¶\tEste servidor ya está conectado"
     u"¶\tDeze server is al verbonden"},
    {IDS_BROWSE_OPC_SERVERS,
     u"Parcourir les serveurs OPC"
     u"¶\tBrowse OPC Servers"
     u"¶\tOPC-Server durchsuchen"
     u"¶\tExaminar servidores OPC"
     u"¶\tOPC-servers doorbladeren"},
    {IDS_BROWSE_HDA_TAGS,
     u"Parcourir les points HDA"
     u"¶\tBrowse Hda Tags"
     u"¶\tHDA-Variablen durchsuchen"
     u"¶\tExaminar variables HDA"
     u"¶\tHDA-tags doorbladeren"},
    {IDS_REMOVE_OPC_TAGS,
     u"Supprimer des points OPC"
     u"¶\tRemove OPC Tags"
     u"¶\tOPC-Variablen entfernen"
     u"¶\tQuitar variables OPC"
     u"¶\tOPC-tags verwijderen"},
    {IDS_SHOW_WAVES, u"Afficher¶\tShow¶\tAnzeigen¶\tMostrar¶\tTonen"},
    {IDS_HIDE_WAVES, u"Masquer¶\tHide¶\tAusblenden¶\tOcultar¶\tVerbergen"},
    {IDS_SERVER_STOPPED_ANSWERING,
     u"Le serveur %1 ne répond plus"
     u"¶\tServer %1 stopped answering"
     u"¶\tDer Server %1 antwortet nicht mehr"
     u"¶\tEl servidor %1 ha dejado de responder"
     u"¶\tServer %1 reageert niet meer"},
    {IDS_CUT_BAND_LABEL,
     u"Non lu"
     u"¶\tNot read"
     u"¶\tNicht gelesen"
     u"¶\tNo leído"
     u"¶\tNiet gelezen"},
    {IDS_WAVE_CUT_STATUS,
     u"%1 : seules les 32000 premières valeurs de la période sont affichées, jusqu'à %2"
     u"¶\t%1: only the first 32000 values of the period are shown, up to %2"
     u"¶\t%1: nur die ersten 32000 Werte des Zeitraums werden angezeigt, bis %2"
     u"¶\t%1: solo se muestran los primeros 32000 valores del periodo, hasta %2"
     u"¶\t%1: alleen de eerste 32000 waarden van de periode worden getoond, tot %2"},
    {IDS_WAVE_ENVELOPE_STATUS,
     u"%1 : tracé des extrêmes de chaque colonne de pixels, sans marqueurs"
     u"¶\t%1: drawn from the extremes of each pixel column, without markers"
     u"¶\t%1: aus den Extremwerten jeder Pixelspalte gezeichnet, ohne Markierungen"
     u"¶\t%1: dibujado con los extremos de cada columna de píxeles, sin marcadores"
     u"¶\t%1: getekend uit de uitersten van elke pixelkolom, zonder markeringen"},
    {IDS_GRID_FIRST_VALUES,
     u"(32000 premières valeurs)"
     u"¶\t(first 32000 values)"
     u"¶\t(erste 32000 Werte)"
     u"¶\t(primeros 32000 valores)"
     u"¶\t(eerste 32000 waarden)"},
    {IDS_READING_WAVE,
     u"Lecture de %1..."
     u"¶\tReading %1..."
     u"¶\tLese %1..."
     u"¶\tLeyendo %1..."
     u"¶\t%1 wordt gelezen..."},
    {IDS_WAVE_BUDGET_STATUS,
     u"%1 : seules les 2000000 premières valeurs de la période sont affichées, jusqu'à %2"
     u"¶\t%1: only the first 2000000 values of the period are shown, up to %2"
     u"¶\t%1: nur die ersten 2000000 Werte des Zeitraums werden angezeigt, bis %2"
     u"¶\t%1: solo se muestran los primeros 2000000 valores del periodo, hasta %2"
     u"¶\t%1: alleen de eerste 2000000 waarden van de periode worden getoond, tot %2"},
    {IDS_READING_WAVE_COUNT,
     u"Lecture de %1... %3 valeurs"
     u"¶\tReading %1... %3 values"
     u"¶\tLese %1... %3 Werte"
     u"¶\tLeyendo %1... %3 valores"
     u"¶\t%1 wordt gelezen... %3 waarden"},
    {IDS_CONFIG_RECONNECT,
     u"Reconnecter les serveurs qui reviennent"
     u"¶\tReconnect servers that come back"
     u"¶\tZurückkehrende Server wieder verbinden"
     u"¶\tReconectar los servidores que vuelven"
     u"¶\tServers die terugkomen opnieuw verbinden"},
    {IDS_RECONNECTING,
     u"Reconnexion au serveur %1..."
     u"¶\tReconnecting to server %1..."
     u"¶\tNeue Verbindung mit Server %1..."
     u"¶\tReconectando con el servidor %1..."
     u"¶\tOpnieuw verbinden met server %1..."},
    {IDS_RECONNECTED,
     u"Le serveur %1 répond de nouveau"
     u"¶\tServer %1 answers again"
     u"¶\tDer Server %1 antwortet wieder"
     u"¶\tEl servidor %1 responde de nuevo"
     u"¶\tServer %1 reageert weer"},
    {IDS_PROMPT_FILE_EXPORT,
     u"Exporter les courbes du document actif dans un fichier CSV"
     u"¶\tExport the active document's waves to a CSV file"
     u"¶\tKurven des aktiven Dokuments in eine CSV-Datei exportieren"
     u"¶\tExportar las curvas del documento activo a un archivo CSV"
     u"¶\tDe curven van het actieve document naar een CSV-bestand exporteren"},
    {IDS_PROMPT_FRENCH, u"Passe le programme en français"},
    {IDS_PROMPT_ENGLISH, u"Switches the program to English"},
    {IDS_PROMPT_GERMAN, u"Schaltet das Programm auf Deutsch um"},
    {IDS_PROMPT_DUTCH, u"Zet het programma in het Nederlands"},
    {IDS_PROMPT_USER_MANUAL,
     u"Ouvrir le manuel d'utilisation"
     u"¶\tOpen the user manual"
     u"¶\tBenutzerhandbuch öffnen"
     u"¶\tAbrir el manual de usuario"
     u"¶\tDe handleiding openen"},
    {IDS_CLOSE, u"Fermer¶\tClose¶\tSchließen¶\tCerrar¶\tSluiten"},
    {IDS_CANCEL, u"Annuler¶\tCancel¶\tAbbrechen¶\tCancelar¶\tAnnuleren"},
    {IDS_OK, u"OK"},
    {IDS_DELETE, u"Supprimer¶\tDelete¶\tLöschen¶\tEliminar¶\tVerwijderen"},
    {IDS_DEFAULTS,
     u"Par défaut"
     u"¶\tDefaults"
     u"¶\tStandardwerte"
     u"¶\tValores predeterminados"
     u"¶\tStandaardwaarden"},
    {IDS_ADD, u"Ajouter¶\tAdd¶\tHinzufügen¶\tAñadir¶\tToevoegen"},
    {IDS_MARKER_COLOR, u"Couleur¶\tColor¶\tFarbe¶\tColor¶\tKleur"},
    {IDS_SCREEN_COLOR,
     u"Couleur écran"
     u"¶\tScreen color"
     u"¶\tBildschirmfarbe"
     u"¶\tColor de pantalla"
     u"¶\tSchermkleur"},
    {IDS_PRINTING_COLOR,
     u"Couleur d'impression"
     u"¶\tPrinting color"
     u"¶\tDruckfarbe"
     u"¶\tColor de impresión"
     u"¶\tAfdrukkleur"},
    {IDS_YES, u"Oui¶\tYes¶\tJa¶\tSí¶\tJa"},
    {IDS_NO, u"Non¶\tNo¶\tNein¶\tNo¶\tNee"},
    {IDS_ERROR_CAPTION, u"Erreur¶\tError¶\tFehler¶\tError¶\tFout"},
    {IDS_SEARCH, u"Rechercher¶\tSearch¶\tSuchen¶\tBuscar¶\tZoeken"},
    {IDS_WARNING_TITLE, u"Attention :¶\tWarning:¶\tWarnung:¶\tAviso:¶\tWaarschuwing:"},
    {IDS_DISCARD_CHANGES,
     u"Annuler les changements ?"
     u"¶\tDiscard changes?"
     u"¶\tÄnderungen verwerfen?"
     u"¶\tDescartar cambios?"
     u"¶\tWijzigingen ongedaan maken?"},
    {IDS_CHANGES_DETECTED,
     u"Des modifications ont été détectées, voulez-vous vraiment les abandonner ?"
     u"¶\tSome changes have been detected, are you sure you want to discard these changes?"
     u"¶\tEs wurden Änderungen festgestellt. Wollen Sie diese Änderungen wirklich verwerfen?"
     u"¶\tSe han detectado cambios. ¿Seguro que desea descartarlos?"
     u"¶\tEr zijn wijzigingen gevonden. Weet u zeker dat u deze wijzigingen ongedaan wilt maken?"},
    {IDS_CANNOT_OPEN_HELP,
     u"Impossible d'ouvrir le fichier d'aide : "
     u"¶\tCan not open Help file : "
     u"¶\tHilfedatei kann nicht geöffnet werden: "
     u"¶\tNo se puede abrir el archivo de ayuda: "
     u"¶\tKan het helpbestand niet openen: "},
    {IDS_HELP_WITHOUT_VIEWER,
     u"Aucun programme installé ne sait afficher ce fichier."
     u"¶\tNo program that can show this file is installed."
     u"¶\tEs ist kein Programm installiert, das diese Datei anzeigen kann."
     u"¶\tNo hay ningún programa instalado que pueda mostrar este archivo."
     u"¶\tEr is geen programma geïnstalleerd dat dit bestand kan tonen."},
    {IDS_PERIOD_ONE_MINUTE, u"Une minute¶\tOne minutes¶\tEine Minute¶\tUn minuto¶\tEén minuut"},
    {IDS_PERIOD_FIVE_MINUTES,
     u"Cinq minutes"
     u"¶\tFive minutes"
     u"¶\tFünf Minuten"
     u"¶\tCinco minutos"
     u"¶\tVijf minuten"},
    {IDS_PERIOD_TEN_MINUTES,
     u"Dix minutes"
     u"¶\tTen minutes"
     u"¶\tZehn Minuten"
     u"¶\tDiez minutos"
     u"¶\tTien minuten"},
    {IDS_PERIOD_THIRTY_MINUTES,
     u"Trente minutes"
     u"¶\tThirty minutes"
     u"¶\tDreißig Minuten"
     u"¶\tTreinta minutos"
     u"¶\tDertig minuten"},
    {IDS_PERIOD_ONE_HOUR, u"Une heure¶\tOne hour¶\tEine Stunde¶\tUna hora¶\tEén uur"},
    {IDS_PERIOD_ONE_DAY, u"Un jour¶\tOne day¶\tEin Tag¶\tUn día¶\tEén dag"},
    {IDS_PERIOD_ONE_WEEK, u"Une semaine¶\tOne week¶\tEine Woche¶\tUna semana¶\tEén week"},
    {IDS_PERIOD_ONE_MONTH, u"Un mois¶\tOne month¶\tEin Monat¶\tUn mes¶\tEén maand"},
    {IDS_PERIOD_ONE_YEAR, u"Une année¶\tOne year¶\tEin Jahr¶\tUn año¶\tEén jaar"},
    {IDS_PERIOD_ANOTHER,
     u"Autre période"
     u"¶\tAnother period"
     u"¶\tAnderer Zeitraum"
     u"¶\tOtro período"
     u"¶\tAndere periode"},
    {IDS_PERIOD_LAST_10_SECONDS,
     u"Les dix dernières secondes"
     u"¶\tThe last ten seconds"
     u"¶\tDie letzten zehn Sekunden"
     u"¶\tLos últimos diez segundos"
     u"¶\tDe laatste tien seconden"},
    {IDS_PERIOD_LAST_30_SECONDS,
     u"Les trente dernières secondes"
     u"¶\tThe last thirty seconds"
     u"¶\tDie letzten dreißig Sekunden"
     u"¶\tLos últimos treinta segundos"
     u"¶\tDe laatste dertig seconden"},
    {IDS_PERIOD_LAST_MINUTE,
     u"La dernière minute"
     u"¶\tThe last minute"
     u"¶\tDie letzte Minute"
     u"¶\tEl último minuto"
     u"¶\tDe laatste minuut"},
    {IDS_PERIOD_LAST_5_MINUTES,
     u"Les cinq dernières minutes"
     u"¶\tThe last five minutes"
     u"¶\tDie letzten fünf Minuten"
     u"¶\tLos últimos cinco minutos"
     u"¶\tDe laatste vijf minuten"},
    {IDS_PERIOD_LAST_10_MINUTES,
     u"Les dix dernières minutes"
     u"¶\tThe last ten minutes"
     u"¶\tDie letzten zehn Minuten"
     u"¶\tLos últimos diez minutos"
     u"¶\tDe laatste tien minuten"},
    {IDS_PERIOD_LAST_30_MINUTES,
     u"Les trente dernières minutes"
     u"¶\tThe last thirty minutes"
     u"¶\tDie letzten dreißig Minuten"
     u"¶\tLos últimos treinta minutos"
     u"¶\tDe laatste dertig minuten"},
    {IDS_PERIOD_LAST_HOUR,
     u"La dernière heure"
     u"¶\tThe last hour"
     u"¶\tDie letzte Stunde"
     u"¶\tLa última hora"
     u"¶\tHet laatste uur"},
    {IDS_PERIOD_LAST_24_HOURS,
     u"Les dernières 24 heures"
     u"¶\tThe last 24 hours"
     u"¶\tDie letzten 24 Stunden"
     u"¶\tLas últimas 24 horas"
     u"¶\tDe laatste 24 uur"},
    {IDS_PERIOD_LAST_7_DAYS,
     u"Les 7 derniers jours"
     u"¶\tThe last 7 days"
     u"¶\tDie letzten 7 Tage"
     u"¶\tLos últimos 7 días"
     u"¶\tDe laatste 7 dagen"},
    {IDS_ZOOM_EXPAND, u"Agrandir¶\tExpand¶\tVergrößern¶\tAmpliar¶\tVergroten"},
    {IDS_ZOOM_EXPAND_HORIZONTAL,
     u"Agrandir horizontalement"
     u"¶\tHorizontal Expand"
     u"¶\tHorizontal vergrößern"
     u"¶\tAmpliar horizontalmente"
     u"¶\tHorizontaal vergroten"},
    {IDS_ZOOM_EXPAND_VERTICAL,
     u"Agrandir verticalement"
     u"¶\tVertical Expand"
     u"¶\tVertikal vergrößern"
     u"¶\tAmpliar verticalmente"
     u"¶\tVerticaal vergroten"},
    {IDS_ZOOM_SHRINK, u"Réduire¶\tShrink¶\tVerkleinern¶\tReducir¶\tVerkleinen"},
    {IDS_ZOOM_SHRINK_HORIZONTAL,
     u"Réduire horizontalement"
     u"¶\tHorizontal Shrink"
     u"¶\tHorizontal verkleinern"
     u"¶\tReducir horizontalmente"
     u"¶\tHorizontaal verkleinen"},
    {IDS_ZOOM_SHRINK_VERTICAL,
     u"Réduire verticalement"
     u"¶\tVertical Shrink"
     u"¶\tVertikal verkleinern"
     u"¶\tReducir verticalmente"
     u"¶\tVerticaal verkleinen"},
    {IDS_EXPORT_SERVER_LOST,
     u"Exportation vers %1 interrompue : un serveur ne répond plus."
     u"¶\tExport to %1 stopped: a server stopped answering."
     u"¶\tExport nach %1 abgebrochen: ein Server antwortet nicht mehr."
     u"¶\tExportación a %1 interrumpida: un servidor dejó de responder."
     u"¶\tExporteren naar %1 afgebroken: een server antwoordt niet meer."},
    {IDS_EXPORT_FILE_TITLE,
     u"Exporter en CSV"
     u"¶\tExport to CSV"
     u"¶\tAls CSV exportieren"
     u"¶\tExportar a CSV"
     u"¶\tExporteren naar CSV"},
    {IDS_EXPORT_FILTER,
     u"Fichiers CSV (*.csv)"
     u"¶\tCSV files (*.csv)"
     u"¶\tCSV-Dateien (*.csv)"
     u"¶\tArchivos CSV (*.csv)"
     u"¶\tCSV-bestanden (*.csv)"},
    {IDS_EXPORT_PROGRESS_CAPTION,
     u"Exportation"
     u"¶\tExporting"
     u"¶\tExport läuft"
     u"¶\tExportando"
     u"¶\tBezig met exporteren"},
    {IDS_EXPORT_COUNTS,
     u"%1 valeurs lues, %2 lignes écrites"
     u"¶\t%1 values read, %2 rows written"
     u"¶\t%1 Werte gelesen, %2 Zeilen geschrieben"
     u"¶\t%1 valores leídos, %2 filas escritas"
     u"¶\t%1 waarden gelezen, %2 regels geschreven"},
    {IDS_FAILED_TO_EXPORT,
     u"Impossible d'exporter vers %1."
     u"¶\tFailed to export to %1."
     u"¶\tDer Export nach %1 ist fehlgeschlagen."
     u"¶\tNo se pudo exportar a %1."
     u"¶\tExporteren naar %1 is mislukt."},
    {IDS_PROMPT_FILE_NEW,
     u"Commencer un nouveau document de tendances"
     u"¶\tStart a new trend document"
     u"¶\tNeues Trenddokument beginnen"
     u"¶\tEmpezar un nuevo documento de tendencias"
     u"¶\tEen nieuw trenddocument beginnen"},
    {IDS_PROMPT_FILE_OPEN,
     u"Ouvrir un document de tendances enregistré"
     u"¶\tOpen a saved trend document"
     u"¶\tGespeichertes Trenddokument öffnen"
     u"¶\tAbrir un documento de tendencias guardado"
     u"¶\tEen opgeslagen trenddocument openen"},
    {IDS_PROMPT_FILE_CLOSE,
     u"Fermer le document actif"
     u"¶\tClose the active document"
     u"¶\tAktives Dokument schließen"
     u"¶\tCerrar el documento activo"
     u"¶\tHet actieve document sluiten"},
    {IDS_PROMPT_FILE_SAVE,
     u"Enregistrer le document actif dans son fichier"
     u"¶\tSave the active document in its file"
     u"¶\tAktives Dokument in seiner Datei speichern"
     u"¶\tGuardar el documento activo en su archivo"
     u"¶\tHet actieve document in zijn bestand opslaan"},
    {IDS_PROMPT_FILE_SAVE_AS,
     u"Enregistrer le document actif sous un autre nom"
     u"¶\tSave the active document under another name"
     u"¶\tAktives Dokument unter einem anderen Namen speichern"
     u"¶\tGuardar el documento activo con otro nombre"
     u"¶\tHet actieve document onder een andere naam opslaan"},
    {IDS_PROMPT_PAGE_SETUP,
     u"Choisir l'imprimante et la mise en page"
     u"¶\tChoose the printer and the page layout"
     u"¶\tDrucker und Seitenlayout wählen"
     u"¶\tElegir la impresora y el diseño de página"
     u"¶\tPrinter en pagina-indeling kiezen"},
    {IDS_PROMPT_FILE_PRINT,
     u"Imprimer le graphique et la grille du document actif"
     u"¶\tPrint the graph and the grid of the active document"
     u"¶\tGrafik und Tabelle des aktiven Dokuments drucken"
     u"¶\tImprimir el gráfico y la tabla del documento activo"
     u"¶\tGrafiek en tabel van het actieve document afdrukken"},
    {IDS_PROMPT_PRINT_PREVIEW,
     u"Montrer à l'écran les pages imprimées"
     u"¶\tShow the printed pages on the screen"
     u"¶\tGedruckte Seiten auf dem Bildschirm zeigen"
     u"¶\tMostrar en pantalla las páginas impresas"
     u"¶\tDe afgedrukte pagina's op het scherm tonen"},
    {IDS_PROMPT_RECENT_FILE,
     u"Ouvrir ce document utilisé récemment"
     u"¶\tOpen this recently used document"
     u"¶\tDieses zuletzt verwendete Dokument öffnen"
     u"¶\tAbrir este documento usado recientemente"
     u"¶\tDit recent gebruikte document openen"},
    {IDS_PROMPT_EDIT_COPY,
     u"Copier la sélection dans le presse-papiers"
     u"¶\tCopy the selection to the clipboard"
     u"¶\tAuswahl in die Zwischenablage kopieren"
     u"¶\tCopiar la selección al portapapeles"
     u"¶\tDe selectie naar het klembord kopiëren"},
    {IDS_PROMPT_EDIT_CUT,
     u"Déplacer la sélection dans le presse-papiers"
     u"¶\tMove the selection to the clipboard"
     u"¶\tAuswahl in die Zwischenablage verschieben"
     u"¶\tMover la selección al portapapeles"
     u"¶\tDe selectie naar het klembord verplaatsen"},
    {IDS_PROMPT_EDIT_FIND,
     u"Chercher un texte dans la grille"
     u"¶\tLook for a text in the grid"
     u"¶\tText in der Tabelle suchen"
     u"¶\tBuscar un texto en la tabla"
     u"¶\tEen tekst in de tabel zoeken"},
    {IDS_PROMPT_EDIT_PASTE,
     u"Insérer le contenu du presse-papiers"
     u"¶\tInsert the clipboard's contents"
     u"¶\tInhalt der Zwischenablage einfügen"
     u"¶\tInsertar el contenido del portapapeles"
     u"¶\tDe inhoud van het klembord invoegen"},
    {IDS_PROMPT_EDIT_UNDO,
     u"Revenir sur la dernière modification"
     u"¶\tTake back the last change"
     u"¶\tLetzte Änderung zurücknehmen"
     u"¶\tDeshacer el último cambio"
     u"¶\tDe laatste wijziging terugdraaien"},
    {IDS_PROMPT_WINDOW_CASCADE,
     u"Disposer les fenêtres de document en cascade"
     u"¶\tLay the document windows over one another"
     u"¶\tDokumentfenster überlappend anordnen"
     u"¶\tColocar las ventanas de documento superpuestas"
     u"¶\tDocumentvensters over elkaar schikken"},
    {IDS_PROMPT_WINDOW_TILE,
     u"Disposer les fenêtres de document côte à côte"
     u"¶\tLay the document windows side by side"
     u"¶\tDokumentfenster nebeneinander anordnen"
     u"¶\tColocar las ventanas de documento una junto a otra"
     u"¶\tDocumentvensters naast elkaar schikken"},
    {IDS_PROMPT_APP_EXIT,
     u"Fermer tous les documents et quitter Varnel"
     u"¶\tClose every document and quit Varnel"
     u"¶\tAlle Dokumente schließen und Varnel beenden"
     u"¶\tCerrar todos los documentos y salir de Varnel"
     u"¶\tAlle documenten sluiten en Varnel afsluiten"},
    {IDS_PROMPT_NEXT_PANE,
     u"Passer au volet suivant de la fenêtre"
     u"¶\tGo to the next pane of the window"
     u"¶\tZum nächsten Fensterbereich wechseln"
     u"¶\tPasar al siguiente panel de la ventana"
     u"¶\tNaar het volgende deelvenster gaan"},
    {IDS_PROMPT_PREVIOUS_PANE,
     u"Revenir au volet précédent de la fenêtre"
     u"¶\tGo back to the previous pane of the window"
     u"¶\tZum vorherigen Fensterbereich zurückkehren"
     u"¶\tVolver al panel anterior de la ventana"
     u"¶\tTerug naar het vorige deelvenster"},
    {IDS_PROMPT_STATUS_BAR,
     u"Afficher ou masquer la barre d'état"
     u"¶\tShow or hide the status bar"
     u"¶\tStatusleiste ein- oder ausblenden"
     u"¶\tMostrar u ocultar la barra de estado"
     u"¶\tStatusbalk tonen of verbergen"},
    {IDS_PRINT_ON_PORT,
     u"sur %1"
     u"¶\ton %1"
     u"¶\tan %1"
     u"¶\ten %1"
     u"¶\top %1"},
    {IDS_PRINT_TO_FILE_PORT,
     u"vers %1"
     u"¶\tto %1"
     u"¶\tin %1"
     u"¶\ta %1"
     u"¶\tnaar %1"},
    {IDS_PRINT_FILE_FILTER,
     u"Fichiers d'impression (*.prn)|*.prn|Tous les fichiers (*.*)|*.*||"
     u"¶\tPrinter Files (*.prn)|*.prn|All Files (*.*)|*.*||"
     u"¶\tDruckerdateien (*.prn)|*.prn|Alle Dateien (*.*)|*.*||"
     u"¶\tArchivos de impresora (*.prn)|*.prn|Todos los archivos (*.*)|*.*||"
     u"¶\tPrinterbestanden (*.prn)|*.prn|Alle bestanden (*.*)|*.*||"},
    {IDS_PRINT_TO_FILE_TITLE,
     u"Imprimer dans un fichier"
     u"¶\tPrint to File"
     u"¶\tAusgabe in Datei"
     u"¶\tImprimir a archivo"
     u"¶\tAfdrukken naar bestand"},
    {IDS_PRINT_PAGE_FORMAT,
     u"Page %u\nPages %u-%u\n"
     u"¶\tPage %u\nPages %u-%u\n"
     u"¶\tSeite %u\nSeiten %u-%u\n"
     u"¶\tPágina %u\nPáginas %u-%u\n"
     u"¶\tPagina %u\nPagina's %u-%u\n"},
    {IDS_PREVIEW_CAPTION,
     u"%1 - Aperçu avant impression"
     u"¶\t%1 - Print Preview"
     u"¶\t%1 - Seitenansicht"
     u"¶\t%1 - Vista preliminar"
     u"¶\t%1 - Afdrukvoorbeeld"},
    {IDS_PREVIEW_PRINT,
     u"&Imprimer..."
     u"¶\t&Print..."
     u"¶\t&Drucken..."
     u"¶\t&Imprimir..."
     u"¶\t&Afdrukken..."},
    {IDS_PREVIEW_NEXT_PAGE,
     u"Page &suivante"
     u"¶\t&Next Page"
     u"¶\t&Nächste Seite"
     u"¶\tPágina &siguiente"
     u"¶\t&Volgende pagina"},
    {IDS_PREVIEW_PREVIOUS_PAGE,
     u"Page &précédente"
     u"¶\tPre&v Page"
     u"¶\t&Vorherige Seite"
     u"¶\tPágina &anterior"
     u"¶\tV&orige pagina"},
    {IDS_PREVIEW_ZOOM_IN,
     u"&Zoom avant"
     u"¶\tZoom &In"
     u"¶\tVer&größern"
     u"¶\t&Acercar"
     u"¶\t&Inzoomen"},
    {IDS_PREVIEW_ZOOM_OUT,
     u"Zoom a&rrière"
     u"¶\tZoom &Out"
     u"¶\tVer&kleinern"
     u"¶\tA&lejar"
     u"¶\t&Uitzoomen"},
    {IDS_PREVIEW_CLOSE,
     u"&Fermer"
     u"¶\t&Close"
     u"¶\tS&chließen"
     u"¶\t&Cerrar"
     u"¶\t&Sluiten"},
    {IDS_PAGE_SETUP_CAPTION,
     u"Mise en page"
     u"¶\tPage Setup"
     u"¶\tSeite einrichten"
     u"¶\tConfigurar página"
     u"¶\tPagina-instelling"},
    {IDS_PAGE_SETUP_MARGINS,
     u"Marges"
     u"¶\tMargins"
     u"¶\tRänder"
     u"¶\tMárgenes"
     u"¶\tMarges"},
    {IDS_PAGE_SETUP_TOP,
     u"&Haut :"
     u"¶\t&Top:"
     u"¶\t&Oben:"
     u"¶\t&Superior:"
     u"¶\t&Boven:"},
    {IDS_PAGE_SETUP_BOTTOM,
     u"&Bas :"
     u"¶\t&Bottom:"
     u"¶\t&Unten:"
     u"¶\t&Inferior:"
     u"¶\t&Onder:"},
    {IDS_PAGE_SETUP_LEFT,
     u"&Gauche :"
     u"¶\t&Left:"
     u"¶\t&Links:"
     u"¶\tI&zquierdo:"
     u"¶\t&Links:"},
    {IDS_PAGE_SETUP_RIGHT,
     u"&Droite :"
     u"¶\t&Right:"
     u"¶\t&Rechts:"
     u"¶\t&Derecho:"
     u"¶\t&Rechts:"},
    {IDS_FAILED_TO_OPEN_DOCUMENT,
     u"Impossible d'ouvrir le document %1."
     u"¶\tFailed to open document %1."
     u"¶\tDas Dokument %1 konnte nicht geöffnet werden."
     u"¶\tNo se pudo abrir el documento %1."
     u"¶\tHet document %1 kon niet worden geopend."},
    {IDS_FAILED_TO_SAVE_DOCUMENT,
     u"Impossible d'enregistrer le document %1."
     u"¶\tFailed to save document %1."
     u"¶\tDas Dokument %1 konnte nicht gespeichert werden."
     u"¶\tNo se pudo guardar el documento %1."
     u"¶\tHet document %1 kon niet worden opgeslagen."},
    {IDS_PRINT_JOB_FAILED,
     u"Impossible de démarrer l'impression."
     u"¶\tCould not start print job."
     u"¶\tDruckauftrag konnte nicht gestartet werden."
     u"¶\tNo se pudo iniciar el trabajo de impresión."
     u"¶\tAfdruktaak kon niet worden gestart."},
    {IDS_ASK_TO_SAVE,
     u"Enregistrer les modifications de %1 ?"
     u"¶\tSave changes to %1?"
     u"¶\tÄnderungen an %1 speichern?"
     u"¶\t¿Guardar los cambios en %1?"
     u"¶\tWijzigingen in %1 opslaan?"},
};

constexpr bool IsSorted() {
  for (std::size_t i = 1; i < std::size(kEntries); ++i) {
    if (kEntries[i - 1].id >= kEntries[i].id) return false;
  }
  return true;
}
static_assert(IsSorted(), "the string table must stay sorted by number, without duplicates");

}  // namespace

std::span<const TStringEntry> StringTable() { return kEntries; }
