<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ko_KR">
<context>
    <name>GraphViewer</name>
    <message>
        <source>empty</source>
        <translation>empty</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>The SD card holds no camera settings (config.txt)</source>
        <translation>The SD card holds no camera settings (config.txt)</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>no such file</translation>
    </message>
    <message>
        <source>unrecognized file format</source>
        <translation>unrecognized file format</translation>
    </message>
    <message>
        <source>no audio or video data played</source>
        <translation>no audio or video data played</translation>
    </message>
    <message>
        <source>loading failed</source>
        <translation>loading failed</translation>
    </message>
    <message>
        <source>no picture output</source>
        <translation>no picture output</translation>
    </message>
    <message>
        <source>%1 cannot be played: %2</source>
        <translation>%1 cannot be played: %2</translation>
    </message>
    <message>
        <source>These files could not be opened: %1</source>
        <translation>These files could not be opened: %1</translation>
    </message>
    <message>
        <source>SDCard를 삽입해주세요</source>
        <translation>Please insert the SD card</translation>
    </message>
    <message>
        <source>SDCard가 제거되었습니다.</source>
        <translation>The SD card has been removed.</translation>
    </message>
    <message>
        <source>No video is selected</source>
        <translation>No video is selected</translation>
    </message>
    <message>
        <source>영문으로된 파일명과 경로만 지원합니다.</source>
        <translation>Only file names and paths in English letters are supported.</translation>
    </message>
    <message>
        <source>Do you want to delete the selected video?</source>
        <translation>Do you want to delete the selected video?</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Successfully saved</translation>
    </message>
    <message>
        <source>Could not save %1 file(s): %2</source>
        <translation>Could not save %1 file(s): %2</translation>
    </message>
    <message>
        <source>Cancelled: %1 file(s) saved</source>
        <translation>Cancelled: %1 file(s) saved</translation>
    </message>
    <message>
        <source>AVI files (R_*.avi T_*.avi)</source>
        <translation>AVI files (R_*.avi T_*.avi)</translation>
    </message>
    <message>
        <source>loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>전방</source>
        <translation>Front</translation>
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
        <translation>Previous file</translation>
    </message>
    <message>
        <source>Next file</source>
        <translation>Next file</translation>
    </message>
    <message>
        <source>Rewind 3 seconds</source>
        <translation>Rewind 3 seconds</translation>
    </message>
    <message>
        <source>Fast forward 3 seconds</source>
        <translation>Fast forward 3 seconds</translation>
    </message>
    <message>
        <source>Zoom In</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Zoom Out</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Switch screen</source>
        <translation>Switch screens</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Rotate</translation>
    </message>
    <message>
        <source>Horizontal reverse</source>
        <translation>Flip horizontally</translation>
    </message>
    <message>
        <source>Vertical reverse</source>
        <translation>Flip vertically</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Full screen</translation>
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
        <translation>Share clip</translation>
    </message>
</context>
<context>
    <name>MapArea</name>
    <message>
        <source>© OpenStreetMap contributors</source>
        <translation>© OpenStreetMap contributors</translation>
    </message>
    <message>
        <source>Whole route</source>
        <translation>Whole route</translation>
    </message>
    <message>
        <source>Follow the car</source>
        <translation>Follow the car</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom out</translation>
    </message>
</context>
<context>
    <name>MapView</name>
    <message>
        <source>The track could not be saved: %1</source>
        <translation>The track could not be saved: %1</translation>
    </message>
    <message>
        <source>No map: Qt Location or its map plugin is missing.</source>
        <translation>No map: Qt Location or its map plugin is missing.</translation>
    </message>
    <message>
        <source>No GPS position</source>
        <translation>No GPS position</translation>
    </message>
    <message>
        <source>Save the track (GPX, KML or CSV)</source>
        <translation>Save the track (GPX, KML or CSV)</translation>
    </message>
    <message>
        <source>Save the track</source>
        <translation>Save the track</translation>
    </message>
    <message>
        <source>GPX track (*.gpx)</source>
        <translation>GPX track (*.gpx)</translation>
    </message>
    <message>
        <source>KML track (*.kml)</source>
        <translation>KML track (*.kml)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV table (*.csv)</translation>
    </message>
</context>
<context>
    <name>QSDSel</name>
    <message>
        <source>The snapshot could not be saved: %1</source>
        <translation>The snapshot could not be saved: %1</translation>
    </message>
    <message>
        <source>SD 카드 드라이브</source>
        <translation>SD card drive</translation>
    </message>
    <message>
        <source>SDCard</source>
        <translation>SD card</translation>
    </message>
    <message>
        <source>스냅샷 저장 위치</source>
        <translation>Snapshot save location</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>버전 정보</source>
        <translation>Version information</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>영상 저장 위치</source>
        <translation>Video save location</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Successfully saved</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>사건보고서</source>
        <translation>Accident report</translation>
    </message>
    <message>
        <source>전방</source>
        <translation>Front</translation>
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
        <translation>1. Date of the incident</translation>
    </message>
    <message>
        <source>2. 발생위치</source>
        <translation>2. Location of the incident</translation>
    </message>
    <message>
        <source>3. 충격 센서</source>
        <translation>3. Impact sensor</translation>
    </message>
    <message>
        <source>4. 메모</source>
        <translation>4. Notes</translation>
    </message>
    <message>
        <source>인  쇄</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>저장할 영상을 선택하세요</source>
        <translation>Select the videos to save</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>No channel is selected</source>
        <translation>No channel is selected</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Successfully saved</translation>
    </message>
    <message>
        <source>The pictures could not be taken</source>
        <translation>The pictures could not be taken</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 of %2</translation>
    </message>
    <message>
        <source>These channels could not be saved: %1</source>
        <translation>These channels could not be saved: %1</translation>
    </message>
    <message>
        <source>Save PDF</source>
        <translation>Save PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Saved: %1</translation>
    </message>
    <message>
        <source>The PDF could not be saved: %1</source>
        <translation>The PDF could not be saved: %1</translation>
    </message>
    <message>
        <source>The report could not be printed</source>
        <translation>The report could not be printed</translation>
    </message>
    <message>
        <source>Share clip</source>
        <translation>Share clip</translation>
    </message>
</context>
<context>
    <name>ShareDialog</name>
    <message>
        <source>Saved %1
%2 × %3 pixels, %4 long</source>
        <translation>Saved %1
%2 × %3 pixels, %4 long</translation>
    </message>
    <message>
        <source>Cancelled: nothing was written</source>
        <translation>Cancelled: nothing was written</translation>
    </message>
    <message>
        <source>The clip could not be saved: %1</source>
        <translation>The clip could not be saved: %1</translation>
    </message>
    <message>
        <source>Share clip</source>
        <translation>Share clip</translation>
    </message>
    <message>
        <source>Range</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Cameras</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Caption</translation>
    </message>
    <message>
        <source>From – to</source>
        <translation>From – to</translation>
    </message>
    <message>
        <source>Whole clip</source>
        <translation>Whole clip</translation>
    </message>
    <message>
        <source>s</source>
        <translation>s</translation>
    </message>
    <message>
        <source>to</source>
        <translation>to</translation>
    </message>
    <message>
        <source>The clip lasts %1</source>
        <translation>The clip lasts %1</translation>
    </message>
    <message>
        <source>All cameras</source>
        <translation>All cameras</translation>
    </message>
    <message>
        <source>Front only</source>
        <translation>Front only</translation>
    </message>
    <message>
        <source>Time, speed, place and sensor values</source>
        <translation>Time, speed, place and sensor values</translation>
    </message>
    <message>
        <source>Share</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Writing %1</source>
        <translation>Writing %1</translation>
    </message>
    <message>
        <source>%1 of %2 pictures</source>
        <translation>%1 of %2 pictures</translation>
    </message>
    <message>
        <source>About %1 left</source>
        <translation>About %1 left</translation>
    </message>
    <message>
        <source>Starting…</source>
        <translation>Starting…</translation>
    </message>
    <message>
        <source>MP4 videos (*.mp4)</source>
        <translation>MP4 videos (*.mp4)</translation>
    </message>
</context>
<context>
    <name>SettingPCView</name>
    <message>
        <source>PC Viewer Setting</source>
        <translation>PC Viewer settings</translation>
    </message>
    <message>
        <source>MAC Viewer Setting</source>
        <translation>Mac Viewer settings</translation>
    </message>
    <message>
        <source>언어</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>영어</source>
        <translation>English</translation>
    </message>
    <message>
        <source>프랑스어</source>
        <translation>French</translation>
    </message>
    <message>
        <source>해상도</source>
        <translation>Resolution</translation>
    </message>
    <message>
        <source>저  장</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Save Success</source>
        <translation>Saved successfully</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Map</translation>
    </message>
    <message>
        <source>Online map tiles</source>
        <translation>Online map tiles</translation>
    </message>
    <message>
        <source>Offline tiles</source>
        <translation>Offline tiles</translation>
    </message>
    <message>
        <source>No folder</source>
        <translation>No folder</translation>
    </message>
    <message>
        <source>Could not save the viewer settings</source>
        <translation>Could not save the viewer settings</translation>
    </message>
</context>
<context>
    <name>SettingSelect</name>
    <message>
        <source>Setting</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>PC Viewer</source>
        <translation>PC Viewer</translation>
    </message>
    <message>
        <source>MAC Viewer</source>
        <translation>Mac Viewer</translation>
    </message>
    <message>
        <source>Dashcam</source>
        <translation>Dashcam</translation>
    </message>
</context>
<context>
    <name>SettingSub01</name>
    <message>
        <source>주차모드</source>
        <translation>Parking mode</translation>
    </message>
    <message>
        <source>저전압 차단</source>
        <translation>Low-voltage cut-off</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>ECO</source>
        <translation>Eco</translation>
    </message>
    <message>
        <source>CAMERA</source>
        <translation>Camera</translation>
    </message>
</context>
<context>
    <name>SettingSub02</name>
    <message>
        <source>충격 감도</source>
        <translation>Impact sensitivity</translation>
    </message>
    <message>
        <source>모션 감도</source>
        <translation>Motion sensitivity</translation>
    </message>
    <message>
        <source>레이더 감도</source>
        <translation>Radar sensitivity</translation>
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
        <translation>Speaker</translation>
    </message>
</context>
<context>
    <name>SettingSub04</name>
    <message>
        <source>수동 설정</source>
        <translation>Manual setting</translation>
    </message>
    <message>
        <source>타임존</source>
        <translation>Time zone</translation>
    </message>
    <message>
        <source>서머타임</source>
        <translation>Daylight saving time</translation>
    </message>
</context>
<context>
    <name>SettingSub05</name>
    <message>
        <source>주차녹화 메모리 할당</source>
        <translation>Memory for parking recordings</translation>
    </message>
    <message>
        <source>(Read-Only)</source>
        <translation>(Read-only)</translation>
    </message>
</context>
<context>
    <name>SettingSub06</name>
    <message>
        <source>화면설정</source>
        <translation>Screen</translation>
    </message>
    <message>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>언어</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>영어</source>
        <translation>English</translation>
    </message>
    <message>
        <source>프랑스어</source>
        <translation>French</translation>
    </message>
    <message>
        <source>시큐리티 LED</source>
        <translation>Security LED</translation>
    </message>
    <message>
        <source>비밀번호</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>속도 단위</source>
        <translation>Speed unit</translation>
    </message>
    <message>
        <source>mi</source>
        <translation>mph</translation>
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
        <translation>Model</translation>
    </message>
</context>
<context>
    <name>SettingSwitch</name>
    <message>
        <source>ON</source>
        <translation>ON</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>SettingView</name>
    <message>
        <source>Could not save: config.txt is unchanged</source>
        <translation>Could not save: config.txt is unchanged</translation>
    </message>
    <message>
        <source>Dashcam Setting</source>
        <translation>Dashcam settings</translation>
    </message>
    <message>
        <source>녹화</source>
        <translation>Recording</translation>
    </message>
    <message>
        <source>민감도</source>
        <translation>Sensitivity</translation>
    </message>
    <message>
        <source>사운드</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>시간</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>메모리</source>
        <translation>Memory</translation>
    </message>
    <message>
        <source>시스템</source>
        <translation>System</translation>
    </message>
    <message>
        <source>저  장</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>닫  기</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Successfully Saved</source>
        <translation>Successfully saved</translation>
    </message>
</context>
<context>
    <name>TopMenu</name>
    <message>
        <source>SD카드</source>
        <translation>SD card</translation>
    </message>
    <message>
        <source>File</source>
        <translation>File</translation>
    </message>
    <message>
        <source>버전</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>보고서</source>
        <translation>Report</translation>
    </message>
    <message>
        <source>스냅샷</source>
        <translation>Snapshot</translation>
    </message>
    <message>
        <source>설정</source>
        <translation>Settings</translation>
    </message>
</context>
<context>
    <name>VideoFilelist</name>
    <message>
        <source>주행</source>
        <translation>Driving</translation>
    </message>
    <message>
        <source>주행 충격</source>
        <translation>Driving impact</translation>
    </message>
    <message>
        <source>주차</source>
        <translation>Parking</translation>
    </message>
    <message>
        <source>주차 충격</source>
        <translation>Parking impact</translation>
    </message>
    <message>
        <source>수동</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>삭제</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>저장</source>
        <translation>Save</translation>
    </message>
</context>
<context>
    <name>KeyHelp</name>
    <message>
        <source>단축키</source>
        <translation>Keyboard shortcuts</translation>
    </message>
    <message>
        <source>스페이스</source>
        <translation>Space</translation>
    </message>
    <message>
        <source>재생 / 일시정지</source>
        <translation>Play / pause</translation>
    </message>
    <message>
        <source>3초 뒤로 / 앞으로</source>
        <translation>3 s back / forward</translation>
    </message>
    <message>
        <source>이전 / 다음 영상</source>
        <translation>Previous / next recording</translation>
    </message>
    <message>
        <source>처음으로</source>
        <translation>Back to the start</translation>
    </message>
    <message>
        <source>한 프레임 뒤로 / 앞으로 (일시정지 중)</source>
        <translation>One frame back / forward (while paused)</translation>
    </message>
    <message>
        <source>재생 속도 느리게 / 빠르게</source>
        <translation>Playback speed down / up</translation>
    </message>
    <message>
        <source>음량 크게 / 작게</source>
        <translation>Volume up / down</translation>
    </message>
    <message>
        <source>음소거</source>
        <translation>Mute</translation>
    </message>
    <message>
        <source>전체 화면 / 전체 화면 종료</source>
        <translation>Full screen / leave full screen</translation>
    </message>
    <message>
        <source>최대 충격 지점으로</source>
        <translation>Jump to the strongest shock</translation>
    </message>
    <message>
        <source>이 도움말</source>
        <translation>This help</translation>
    </message>
    <message>
        <source>Esc 키나 클릭으로 닫기</source>
        <translation>Escape or a click closes it</translation>
    </message>
</context>
<context>
    <name>CopyProgress</name>
    <message>
        <source>Cancelling…</source>
        <translation>Cancelling…</translation>
    </message>
    <message>
        <source>Saving recordings</source>
        <translation>Saving recordings</translation>
    </message>
    <message>
        <source>%1 of %2 files</source>
        <translation>%1 of %2 files</translation>
    </message>
    <message>
        <source>%1 of %2 MB</source>
        <translation>%1 of %2 MB</translation>
    </message>
</context>
</TS>
