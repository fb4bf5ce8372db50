<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="ko_KR">
<context>
    <name>GraphViewer</name>
    <message>
        <source>empty</source>
        <translation>vide</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The SD card holds no camera settings (config.txt)</source>
        <translation>La carte SD ne contient aucun réglage de caméra (config.txt)</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>fichier introuvable</translation>
    </message>
    <message>
        <source>unrecognized file format</source>
        <translation>format de fichier inconnu</translation>
    </message>
    <message>
        <source>no audio or video data played</source>
        <translation>aucune image ni aucun son lisible</translation>
    </message>
    <message>
        <source>loading failed</source>
        <translation>échec du chargement</translation>
    </message>
    <message>
        <source>no picture output</source>
        <translation>aucune sortie d’image</translation>
    </message>
    <message>
        <source>%1 cannot be played: %2</source>
        <translation>%1 ne peut pas être lu : %2</translation>
    </message>
    <message>
        <source>These files could not be opened: %1</source>
        <translation>Ces fichiers n’ont pas pu être ouverts : %1</translation>
    </message>
    <message>
        <source>SDCard를 삽입해주세요</source>
        <translation>Veuillez insérer la carte SD</translation>
    </message>
    <message>
        <source>SDCard가 제거되었습니다.</source>
        <translation>La carte SD a été retirée.</translation>
    </message>
    <message>
        <source>No video is selected</source>
        <translation>Aucune vidéo n'est sélectionnée</translation>
    </message>
    <message>
        <source>영문으로된 파일명과 경로만 지원합니다.</source>
        <translation>Seuls les noms de fichiers et les chemins en lettres latines sans accents sont pris en charge.</translation>
    </message>
    <message>
        <source>Do you want to delete the selected video?</source>
        <translation>Voulez-vous supprimer la vidéo sélectionnée ?</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Enregistrement réussi</translation>
    </message>
    <message>
        <source>Could not save %1 file(s): %2</source>
        <translation>Impossible d'enregistrer %1 fichier(s) : %2</translation>
    </message>
    <message>
        <source>Cancelled: %1 file(s) saved</source>
        <translation>Annulé : %1 fichier(s) enregistré(s)</translation>
    </message>
    <message>
        <source>AVI files (R_*.avi T_*.avi)</source>
        <translation>Fichiers AVI (R_*.avi T_*.avi)</translation>
    </message>
    <message>
        <source>loading...</source>
        <translation>Chargement...</translation>
    </message>
    <message>
        <source>전방</source>
        <translation>Avant</translation>
    </message>
    <message>
        <source>CAM1</source>
        <translation>CAM1</translation>
    </message>
    <message>
        <source>CAM2</source>
        <translation>CAM2</translation>
    </message>
    <message>
        <source>Previous file</source>
        <translation>Fichier précédent</translation>
    </message>
    <message>
        <source>Next file</source>
        <translation>Fichier suivant</translation>
    </message>
    <message>
        <source>Rewind 3 seconds</source>
        <translation>Reculer de 3 secondes</translation>
    </message>
    <message>
        <source>Fast forward 3 seconds</source>
        <translation>Avancer de 3 secondes</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom arrière</translation>
    </message>
    <message>
        <source>Switch screen</source>
        <translation>Permuter les écrans</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotation</translation>
    </message>
    <message>
        <source>Horizontal reverse</source>
        <translation>Retournement horizontal</translation>
    </message>
    <message>
        <source>Vertical reverse</source>
        <translation>Retournement vertical</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Km/h</source>
        <translation>Km/h</translation>
    </message>
    <message>
        <source>Mi/h</source>
        <translation>Mi/h</translation>
    </message>
    <message>
        <source>Share clip</source>
        <translation>Partager un extrait</translation>
    </message>
</context>
<context>
    <name>MapArea</name>
    <message>
        <source>© OpenStreetMap contributors</source>
        <translation>© les contributeurs d’OpenStreetMap</translation>
    </message>
    <message>
        <source>Whole route</source>
        <translation>Tout le trajet</translation>
    </message>
    <message>
        <source>Follow the car</source>
        <translation>Suivre le véhicule</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom avant</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom arrière</translation>
    </message>
</context>
<context>
    <name>MapView</name>
    <message>
        <source>The track could not be saved: %1</source>
        <translation>Le trajet n’a pas pu être enregistré : %1</translation>
    </message>
    <message>
        <source>No map: Qt Location or its map plugin is missing.</source>
        <translation>Pas de carte : Qt Location ou son module de cartes est absent.</translation>
    </message>
    <message>
        <source>No GPS position</source>
        <translation>Pas de position GPS</translation>
    </message>
    <message>
        <source>Save the track (GPX, KML or CSV)</source>
        <translation>Enregistrer le trajet (GPX, KML ou CSV)</translation>
    </message>
    <message>
        <source>Save the track</source>
        <translation>Enregistrer le trajet</translation>
    </message>
    <message>
        <source>GPX track (*.gpx)</source>
        <translation>Trajet GPX (*.gpx)</translation>
    </message>
    <message>
        <source>KML track (*.kml)</source>
        <translation>Trajet KML (*.kml)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>Tableau CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>QSDSel</name>
    <message>
        <source>The snapshot could not be saved: %1</source>
        <translation>L&apos;instantané n&apos;a pas pu être enregistré : %1</translation>
    </message>
    <message>
        <source>SD 카드 드라이브</source>
        <translation>Lecteur de carte SD</translation>
    </message>
    <message>
        <source>SDCard</source>
        <translation>Carte SD</translation>
    </message>
    <message>
        <source>스냅샷 저장 위치</source>
        <translation>Emplacement des captures</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>버전 정보</source>
        <translation>Informations de version</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>영상 저장 위치</source>
        <translation>Emplacement des vidéos</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmer</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Enregistrement réussi</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>사건보고서</source>
        <translation>Rapport d'accident</translation>
    </message>
    <message>
        <source>전방</source>
        <translation>Avant</translation>
    </message>
    <message>
        <source>CAM1</source>
        <translation>CAM1</translation>
    </message>
    <message>
        <source>CAM2</source>
        <translation>CAM2</translation>
    </message>
    <message>
        <source>1. 발생일자</source>
        <translation>1. Date de l'incident</translation>
    </message>
    <message>
        <source>2. 발생위치</source>
        <translation>2. Lieu de l'incident</translation>
    </message>
    <message>
        <source>3. 충격 센서</source>
        <translation>3. Capteur de choc</translation>
    </message>
    <message>
        <source>4. 메모</source>
        <translation>4. Remarques</translation>
    </message>
    <message>
        <source>인  쇄</source>
        <translation>Imprimer</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>저장할 영상을 선택하세요</source>
        <translation>Sélectionnez les vidéos à enregistrer</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>No channel is selected</source>
        <translation>Aucun canal n'est sélectionné</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Enregistrement réussi</translation>
    </message>
    <message>
        <source>The pictures could not be taken</source>
        <translation>Les images n&apos;ont pas pu être prises</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>These channels could not be saved: %1</source>
        <translation>Ces canaux n&apos;ont pas pu être enregistrés : %1</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Enregistrer en PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Enregistré : %1</translation>
    </message>
    <message>
        <source>The PDF could not be saved: %1</source>
        <translation>Le PDF n&apos;a pas pu être enregistré : %1</translation>
    </message>
    <message>
        <source>The report could not be printed</source>
        <translation>Le rapport n&apos;a pas pu être imprimé</translation>
    </message>
    <message>
        <source>Share clip</source>
        <translation>Partager l&apos;extrait</translation>
    </message>
</context>
<context>
    <name>ShareDialog</name>
    <message>
        <source>Saved %1
%2 × %3 pixels, %4 long</source>
        <translation>Enregistré : %1
%2 × %3 pixels, durée %4</translation>
    </message>
    <message>
        <source>Cancelled: nothing was written</source>
        <translation>Annulé : rien n&apos;a été écrit</translation>
    </message>
    <message>
        <source>The clip could not be saved: %1</source>
        <translation>L&apos;extrait n&apos;a pas pu être enregistré : %1</translation>
    </message>
    <message>
        <source>Share clip</source>
        <translation>Partager un extrait</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Plage</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Caméras</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>From – to</source>
        <translation>De – à</translation>
    </message>
    <message>
        <source>Whole clip</source>
        <translation>Vidéo entière</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>to</source>
        <translation>à</translation>
    </message>
    <message>
        <source>The clip lasts %1</source>
        <translation>La vidéo dure %1</translation>
    </message>
    <message>
        <source>All cameras</source>
        <translation>Toutes</translation>
    </message>
    <message>
        <source>Front only</source>
        <translation>Avant seule</translation>
    </message>
    <message>
        <source>Time, speed, place and sensor values</source>
        <translation>Heure, vitesse, position et capteur</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Partager</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>Écriture de %1</translation>
    </message>
    <message>
        <source>%1 of %2 pictures</source>
        <translation>%1 images sur %2</translation>
    </message>
    <message>
        <source>About %1 left</source>
        <translation>Encore %1 environ</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Démarrage…</translation>
    </message>
    <message>
        <source>MP4 videos (*.mp4)</source>
        <translation>Vidéos MP4 (*.mp4)</translation>
    </message>
</context>
<context>
    <name>SettingPCView</name>
    <message>
        <source>PC Viewer Setting</source>
        <translation>Paramètres de la visionneuse PC</translation>
    </message>
    <message>
        <source>MAC Viewer Setting</source>
        <translation>Paramètres de la visionneuse Mac</translation>
    </message>
    <message>
        <source>언어</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>영어</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>프랑스어</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>해상도</source>
        <translation>Résolution</translation>
    </message>
    <message>
        <source>저  장</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Save Success</source>
        <translation>Enregistrement réussi</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Carte</translation>
    </message>
    <message>
        <source>Online map tiles</source>
        <translation>Tuiles de carte en ligne</translation>
    </message>
    <message>
        <source>Offline tiles</source>
        <translation>Tuiles hors ligne</translation>
    </message>
    <message>
        <source>No folder</source>
        <translation>Aucun dossier</translation>
    </message>
    <message>
        <source>Could not save the viewer settings</source>
        <translation>Impossible d&apos;enregistrer les paramètres de la visionneuse</translation>
    </message>
</context>
<context>
    <name>SettingSelect</name>
    <message>
        <source>Setting</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>PC Viewer</source>
        <translation>Visionneuse PC</translation>
    </message>
    <message>
        <source>MAC Viewer</source>
        <translation>Visionneuse Mac</translation>
    </message>
    <message>
        <source>Dashcam</source>
        <translation>Caméra embarquée</translation>
    </message>
</context>
<context>
    <name>SettingSub01</name>
    <message>
        <source>주차모드</source>
        <translation>Mode stationnement</translation>
    </message>
    <message>
        <source>저전압 차단</source>
        <translation>Coupure basse tension</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Désactivé</translation>
    </message>
    <message>
        <source>ECO</source>
        <translation>Éco</translation>
    </message>
    <message>
        <source>CAMERA</source>
        <translation>Caméra</translation>
    </message>
</context>
<context>
    <name>SettingSub02</name>
    <message>
        <source>충격 감도</source>
        <translation>Sensibilité aux chocs</translation>
    </message>
    <message>
        <source>모션 감도</source>
        <translation>Sensibilité aux mouvements</translation>
    </message>
    <message>
        <source>레이더 감도</source>
        <translation>Sensibilité du radar</translation>
    </message>
</context>
<context>
    <name>SettingSub03</name>
    <message>
        <source>마이크</source>
        <translation>Microphone</translation>
    </message>
    <message>
        <source>스피커</source>
        <translation>Haut-parleur</translation>
    </message>
</context>
<context>
    <name>SettingSub04</name>
    <message>
        <source>수동 설정</source>
        <translation>Réglage manuel</translation>
    </message>
    <message>
        <source>타임존</source>
        <translation>Fuseau horaire</translation>
    </message>
    <message>
        <source>서머타임</source>
        <translation>Heure d'été</translation>
    </message>
</context>
<context>
    <name>SettingSub05</name>
    <message>
        <source>주차녹화 메모리 할당</source>
        <translation>Mémoire des enregistrements en stationnement</translation>
    </message>
    <message>
        <source>(Read-Only)</source>
        <translation>(Lecture seule)</translation>
    </message>
</context>
<context>
    <name>SettingSub06</name>
    <message>
        <source>화면설정</source>
        <translation>Écran</translation>
    </message>
    <message>
        <source>On</source>
        <translation>Allumé</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Horloge</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Éteint</translation>
    </message>
    <message>
        <source>언어</source>
        <translation>Langue</translation>
    </message>
    <message>
        <source>영어</source>
        <translation>Anglais</translation>
    </message>
    <message>
        <source>프랑스어</source>
        <translation>Français</translation>
    </message>
    <message>
        <source>시큐리티 LED</source>
        <translation>LED de sécurité</translation>
    </message>
    <message>
        <source>비밀번호</source>
        <translation>Mot de passe</translation>
    </message>
    <message>
        <source>속도 단위</source>
        <translation>Unité de vitesse</translation>
    </message>
    <message>
        <source>mi</source>
        <translation>mi/h</translation>
    </message>
    <message>
        <source>km</source>
        <translation>km/h</translation>
    </message>
    <message>
        <source>버전</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>모델</source>
        <translation>Modèle</translation>
    </message>
</context>
<context>
    <name>SettingSwitch</name>
    <message>
        <source>ON</source>
        <translation>OUI</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>NON</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Could not save: config.txt is unchanged</source>
        <translation>Échec de l’enregistrement : config.txt n’a pas été modifié</translation>
    </message>
    <message>
        <source>Dashcam Setting</source>
        <translation>Paramètres de la caméra</translation>
    </message>
    <message>
        <source>녹화</source>
        <translation>Enregistrement</translation>
    </message>
    <message>
        <source>민감도</source>
        <translation>Sensibilité</translation>
    </message>
    <message>
        <source>사운드</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>시간</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>메모리</source>
        <translation>Mémoire</translation>
    </message>
    <message>
        <source>시스템</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>저  장</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Enregistrement réussi</translation>
    </message>
</context>
<context>
    <name>TopMenu</name>
    <message>
        <source>SD카드</source>
        <translation>Carte SD</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>버전</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>보고서</source>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>스냅샷</source>
        <translation>Capture</translation>
    </message>
    <message>
        <source>설정</source>
        <translation>Paramètres</translation>
    </message>
</context>
<context>
    <name>VideoFilelist</name>
    <message>
        <source>주행</source>
        <translation>Conduite</translation>
    </message>
    <message>
        <source>주행 충격</source>
        <translation>Choc en conduite</translation>
    </message>
    <message>
        <source>주차</source>
        <translation>Stationnement</translation>
    </message>
    <message>
        <source>주차 충격</source>
        <translation>Choc en stationnement</translation>
    </message>
    <message>
        <source>수동</source>
        <translation>Manuel</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>저장</source>
        <translation>Enregistrer</translation>
    </message>
</context>
<context>
    <name>KeyHelp</name>
    <message>
        <source>단축키</source>
        <translation>Raccourcis clavier</translation>
    </message>
    <message>
        <source>스페이스</source>
        <translation>Espace</translation>
    </message>
    <message>
        <source>재생 / 일시정지</source>
        <translation>Lecture / pause</translation>
    </message>
    <message>
        <source>3초 뒤로 / 앞으로</source>
        <translation>3 s en arrière / en avant</translation>
    </message>
    <message>
        <source>이전 / 다음 영상</source>
        <translation>Enregistrement précédent / suivant</translation>
    </message>
    <message>
        <source>처음으로</source>
        <translation>Retour au début</translation>
    </message>
    <message>
        <source>한 프레임 뒤로 / 앞으로 (일시정지 중)</source>
        <translation>Une image en arrière / en avant (en pause)</translation>
    </message>
    <message>
        <source>재생 속도 느리게 / 빠르게</source>
        <translation>Vitesse de lecture moins / plus</translation>
    </message>
    <message>
        <source>음량 크게 / 작게</source>
        <translation>Volume plus fort / moins fort</translation>
    </message>
    <message>
        <source>음소거</source>
        <translation>Couper le son</translation>
    </message>
    <message>
        <source>전체 화면 / 전체 화면 종료</source>
        <translation>Plein écran / quitter le plein écran</translation>
    </message>
    <message>
        <source>최대 충격 지점으로</source>
        <translation>Aller au choc le plus fort</translation>
    </message>
    <message>
        <source>이 도움말</source>
        <translation>Cette aide</translation>
    </message>
    <message>
        <source>Esc 키나 클릭으로 닫기</source>
        <translation>Échap ou un clic la ferme</translation>
    </message>
</context>
<context>
    <name>CopyProgress</name>
    <message>
        <source>Cancelling…</source>
        <translation>Annulation…</translation>
    </message>
    <message>
        <source>Saving recordings</source>
        <translation>Enregistrement des vidéos</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 fichiers sur %2</translation>
    </message>
    <message>
        <source>%1 of %2 MB</source>
        <translation>%1 Mo sur %2</translation>
    </message>
</context>
</TS>
