-- Window of the sprite comparison: the benchmark window's size, no vsync
-- (frames are timed, not paced), no audio or joystick start-up.
function love.conf(t)
    t.window.title = "sprite_vs_love"
    t.window.width = 1366
    t.window.height = 768
    t.window.vsync = 0
    t.modules.audio = false
    t.modules.sound = false
    t.modules.joystick = false
    t.modules.physics = false
end
